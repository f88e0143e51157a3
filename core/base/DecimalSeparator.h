#pragma once

namespace kelvane {

// The user's decimal separator, used when floats are shown, typed and written to text files.
// It is read from the process's locale (LC_NUMERIC of the environment) on first use; tests and
// callers that know better set it explicitly.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The messages with which a cell refuses a value, named after the field's caption.
[[noreturn]] void ThrowNotIntegerForField(std::string_view text, const std::string& caption);
[[noreturn]] void ThrowNotFloatForField(std::string_view text, const std::string& caption);

// A float cell is saved in 32 bits: a finite value beyond their range would be saved as
// infinity, and a non-zero one nearer to 0 than any of them as 0, so both are refused, quoted
// as written. A value that merely loses digits is taken, rounded as a save rounds it. With an
// empty caption the message names no field, for a caller that names the place itself.
void RequireFloatRange(double value, std::string_view written, const std::string& caption);

// A text ends at its first NUL byte in a DBC file, so one holding a NUL could not be saved as
// it is.
void RequireTextWithoutNul(std::string_view text, const std::string& caption);

}  // namespace kelvane

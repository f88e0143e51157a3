#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane {

// The two ways a script file writes one number, after the value readers have cut it out of
// its line.

// An integer text: one that begins with the digit "0" is hexadecimal as a whole ('010' is 16,
// '0x10' is unreadable); any other is read as the table reads typed integers (a sign, decimal
// digits, or hexadecimal digits after "$", "x" or "0x"). At most FFFFFFFF hexadecimal, taken
// as signed 32-bit.
std::optional<int32_t> ReadScriptInteger(std::string_view text);

// A decimal number with "." as separator whatever the user's locale: blanks, a sign, digits
// with at most one "." (a lone "." reads as 0), an exponent, blanks. Rounded to the nearest
// 32-bit float; a magnitude too large for one is unreadable, one too small reads as 0.
std::optional<float> ReadScriptFloat(std::string_view text);

}  // namespace kelvane

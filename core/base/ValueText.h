#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// Text forms of cell values, shared by the table, the grid and every text writer.

// Decimal, with a leading "-" for negatives.
std::string IntegerText(int32_t value);

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X" (at most eight significant digits, read as a 32-bit pattern).
std::optional<int32_t> ParseIntegerText(std::string_view text);

// ParseIntegerText for a text that must be a number: fails with "'…' is not a valid integer
// value".
int32_t TextToInteger(std::string_view text);

// General format with at most 15 significant digits and the user's decimal separator: fixed
// notation when 0.0001 <= |value| < 1E15, otherwise "1.5E-7" or "1E15". Zero is "0" or "-0",
// infinities "INF" and "-INF", the plain quiet NaN (0x7FC00000) "NAN" and any other NaN its
// 32-bit pattern, "NAN(0x7FC00001)": every float of a file has a text that reads back as it.
std::string FloatText(double value);

// A number written with the user's decimal separator (or "."), with optional exponent;
// surrounding blanks are allowed. Takes back whatever FloatText writes, NaN patterns bit for
// bit, and C hexadecimal floats with their binary exponent ("-0x0p+0", "0x1.8p+1").
std::optional<double> ParseFloatText(std::string_view text);

// Upper-case hexadecimal without prefix or leading zeros; negatives as eight digits.
std::string HexDisplayText(int32_t value);

// What a user typed into a hexadecimal column: trimmed, then read as "$" + the text.
// Fails with "'$…' is not a valid integer value".
int32_t ParseHexEntry(std::string_view typed);

// Nearest integer with halves to the even neighbour; fails when out of the 32-bit range.
std::optional<int32_t> RoundToInteger(double value);

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Removes blanks and control characters (codes 0 to 32) from both ends.
std::string_view TrimBlanks(std::string_view text);

// Case folding of names: column names and INI section and key names compare this way.
char UpperCaseChar(char c);
std::string UpperCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view left, std::string_view right);

// Whether the text holds a control character, a byte below 0x20 or DEL (0x7F): a line break, a
// tab, the start of a terminal escape.
bool HoldsControlCharacter(std::string_view text);
// What a message says of a name or text HoldsControlCharacter finds such a byte in.
inline constexpr std::string_view HoldsControlCharacterWords =
    "holds a control character (a line break, a tab or the like)";

// "1st", "2nd", "3rd", "4th", ..., "11th", "12th", "13th", "21st", ...
std::string OrdinalText(int n);

}  // namespace kelvane

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kelvane {

// User data quoted in a message (a patch line, a value, a script key or id): at most
// EchoLength characters, then "..." when there was more, with control bytes written as escapes
// (\n, \r, \t, \0, \x01, ...). A message then neither grows with the data, nor moves a
// terminal's cursor, nor ends early at a NUL.
inline constexpr size_t EchoLength = 80;
std::string EchoText(std::string_view text);

// The text with control bytes written as EchoText writes them, but nothing cut: for a name put
// into one line of a generated file (a comment of a dump), which no byte of it may end early.
std::string EscapedText(std::string_view text);

// The texts as "'a', 'b', 'c'", each through EchoText; beyond the first `listed`, only their
// count: "'a', 'b' and 4,321 more".
std::string QuotedList(std::span<const std::string> texts, size_t listed = SIZE_MAX);

}  // namespace kelvane

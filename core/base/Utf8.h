#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kelvane {

// Well-formed UTF-8 as Unicode and MySQL's utf8mb4 take it: no overlong forms, no surrogates,
// nothing past U+10FFFF.

// How many bytes at the start of bytes are whole well-formed sequences; nothing when a sequence
// is broken. A sequence cut off by the end of bytes is not counted, so that a reader going through
// a file in pieces can keep it for the next piece.
std::optional<size_t> WellFormedUtf8Prefix(std::string_view bytes);

// Whether all of bytes is well-formed UTF-8.
bool IsUtf8(std::string_view bytes);

// Whether every byte is below 0x80, which makes bytes UTF-8 however they are cut apart.
bool IsAscii(std::string_view bytes);

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>

#include "core/ByteSource.h"

namespace kelvane {

// Whether every byte of the source belongs to a well-formed UTF-8 sequence (no overlong forms,
// no surrogates, nothing past U+10FFFF). Reads the source in pieces.
bool HoldsOnlyUtf8(ByteSource& source);

// Appends Windows-1252 text as UTF-8. The five bytes the code page leaves undefined become the
// control characters of the same number, as Windows itself reads them.
void AppendWindows1252AsUtf8(std::string& out, std::string_view bytes);

}  // namespace kelvane

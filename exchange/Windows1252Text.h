#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Appends Windows-1252 text as UTF-8. The five bytes the code page leaves undefined become the
// control characters of the same number, as Windows itself reads them.
void AppendWindows1252AsUtf8(std::string& out, std::string_view bytes);

}  // namespace kelvane

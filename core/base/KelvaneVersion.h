#pragma once

#include <string_view>

namespace kelvane {

// The program's version, as the build set it: the project version of the top CMakeLists.txt,
// which also names the Debian package.
std::string_view KelvaneVersion();

}  // namespace kelvane

#pragma once

#include <string_view>

namespace kelvane {

// Both programs take "-h" and "--help" as a request for their help.
inline bool IsHelpFlag(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

}  // namespace kelvane

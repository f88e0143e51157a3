#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kelvane::testing {

// The lines as a text file writes them: CR LF after every line, the last included.
inline std::string CrlfText(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace kelvane::testing

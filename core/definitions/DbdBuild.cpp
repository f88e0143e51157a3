#include "core/definitions/DbdBuild.h"

#include <array>
#include <charconv>

namespace kelvane {

std::string DbdBuild::Text() const {
    return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Patch) + "." +
           std::to_string(Number);
}

std::optional<DbdBuild> ParseDbdBuild(std::string_view text) {
    std::array<uint32_t, 4> parts{};
    const char* cursor = text.data();
    const char* end = text.data() + text.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (cursor == end || *cursor != '.') {
                return std::nullopt;
            }
            ++cursor;
        }
        // from_chars accepts no sign or blank, so "1.-2.3.4" and "1. 2.3.4" fail here.
        auto [next, error] = std::from_chars(cursor, end, parts[i]);
        if (error != std::errc() || next == cursor) {
            return std::nullopt;
        }
        cursor = next;
    }
    if (cursor != end) {
        return std::nullopt;
    }
    return DbdBuild{parts[0], parts[1], parts[2], parts[3]};
}

std::string DbdBuildRange::Text() const {
    return First == Last ? First.Text() : First.Text() + "-" + Last.Text();
}

}  // namespace kelvane

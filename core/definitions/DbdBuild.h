#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// A client build such as 1.12.1.5875: version major.minor.patch and the build number.
struct DbdBuild {
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Patch = 0;
    uint32_t Number = 0;

    auto operator<=>(const DbdBuild&) const = default;

    // Builds of one major version share a record layout style (and a locale count).
    uint32_t Era() const { return Major; }
    std::string Text() const;
};

// Exactly four dot-separated decimal numbers, each fitting 32 bits; nothing else.
std::optional<DbdBuild> ParseDbdBuild(std::string_view text);

// A single build is a range whose ends are equal.
struct DbdBuildRange {
    DbdBuild First;
    DbdBuild Last;

    bool Contains(const DbdBuild& build) const { return First <= build && build <= Last; }
    std::string Text() const;
};

}  // namespace kelvane

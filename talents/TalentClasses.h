#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelvane {

// A character class of the talent editor's class box and the mask its tabs carry.
struct TalentClass {
    std::string_view Name;
    int32_t Mask;
};

// The class box's items, in the order the box lists them.
inline constexpr std::array<TalentClass, 9> TalentClasses{{
    {"Warlock", 256},
    {"Priest", 16},
    {"Mage", 128},
    {"Druid", 1024},
    {"Shaman", 64},
    {"Hunter", 2},
    {"Warrior", 4},
    {"Paladin", 1},
    {"Rogue", 8},
}};

}  // namespace kelvane

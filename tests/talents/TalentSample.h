#pragma once

#include <vector>

#include "tests/support/TalentSamples.h"

namespace kelvane::testing {

// Tabs of several classes; the largest tab ID of the table is 500, a tab shared by Hunter and
// Warrior (mask 6) that belongs to neither.
inline std::vector<SampleTab> SampleTabs() {
    return {
        {41, "Affliction", 256, 10, 0, 7},
        {201, "Discipline", 16, 0, 0, 7},
        {42, "Demonology", 256, 20, 1, 7},
        {361, "Beast", 2, 0, 0, 7},
        {500, "Shared", 6, 0, 0, 7},
        {161, "Arms", 4},
        {162, "Fury", 4},
        {163, "Protection", 4},
        {164, "Gladiator", 4},
        {381, "Holy", 1},
        {43, "Destruction", 256, 30, 2, 7},
        {202, "Holy", 16, 0, 1, 7},
    };
}

// Talents of the Warlock tab 41, with one of tab 42 between them.
inline std::vector<SampleTalent> SampleTalents() {
    return {
        {1001, 41, 0, 0, {11, 12, 13, 14, 15}, 0, 0, 9},
        {1002, 41, 1, 2, {21, 22, 0, 0, 0}, 1001, 2, 9},
        {1005, 42, 0, 0, {31, 0, 0, 0, 0}, 0, 0, 9},
        {1003, 41, 1, 2, {41, 0, 0, 0, 0}, 1001, 0, 9},
        {1004, 41, 7, 0, {51, 0, 0, 0, 0}, 0, 0, 9},
        {1006, 41, 6, 3, {61, 0, 0, 0, 0}, 1003, 4, 9},
    };
}

}  // namespace kelvane::testing

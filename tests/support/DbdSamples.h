#pragma once

#include <string>

namespace kelvane::testing {

// A .dbd file for SpellSample(): its layout of build 3.3.5.12340 fits the sample (four 4-byte
// fields), with a comment on Name and a foreign key on Rank; the layout of 1.12.1.5875 has a
// fifth field and fits no sample.
inline std::string SpellSampleDbd() {
    return "COLUMNS\n"
           "int ID\n"
           "string Title // what the spell book shows\n"
           "float Speed\n"
           "int<SpellRank::ID> Rank\n"
           "int Extra\n"
           "\n"
           "BUILD 1.12.1.5875\n"
           "$id$ID<32>\n"
           "Title\n"
           "Speed\n"
           "Rank<32>\n"
           "Extra<32>\n"
           "\n"
           "BUILD 3.3.5.12340\n"
           "$id$ID<32>\n"
           "Title\n"
           "Speed\n"
           "Rank<32>\n";
}

}  // namespace kelvane::testing

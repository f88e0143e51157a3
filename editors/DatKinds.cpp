#include "editors/DatKinds.h"

#include <algorithm>
#include <array>

namespace kelvane {
namespace {

constexpr std::array<DatKind, 3> kDatKinds{{
    {"Creatures", "Would u like to generate Creature.dat file now? ", "creatures", "name",
     "Creature.dat"},
    {"Items", "Would u like to generate Item.dat file now? ", "items", "name{inv}", "Item.dat"},
    {"gameobjects", "Would u like to generate GO.dat file now? ", "go", "name{0}", "GO.dat"},
}};

template <typename Member>
const DatKind* FindKind(Member member, std::string_view value) {
    const auto found = std::find_if(kDatKinds.begin(), kDatKinds.end(),
                                    [&](const DatKind& kind) { return kind.*member == value; });
    return found == kDatKinds.end() ? nullptr : &*found;
}

}  // namespace

const DatKind* DatKindForTable(std::string_view openedTableName) {
    return FindKind(&DatKind::TableName, openedTableName);
}

const DatKind* DatKindForWord(std::string_view kindWord) {
    return FindKind(&DatKind::KindWord, kindWord);
}

}  // namespace kelvane

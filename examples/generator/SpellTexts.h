#pragma once

#include <string>

namespace kelvane {

class SpellCatalog;

// The texts of a spell record, in the words a game's spell book uses. Empty where a spell has
// no such text.
std::string SpellRankText(const SpellCatalog& catalog, int record);
std::string SpellDescription(const SpellCatalog& catalog, int record);
// What the target's buff bar says while the effect lasts.
std::string SpellBuffDescription(const SpellCatalog& catalog, int record);

}  // namespace kelvane

#pragma once

#include <cstdint>
#include <string_view>

namespace kelvane {

class SpellCatalog;

// The value of a well-known Spell field for one record of the catalog.
using IntegerFieldRule = int32_t (*)(const SpellCatalog& catalog, int record);
using FloatFieldRule = float (*)(const SpellCatalog& catalog, int record);

// The rule for a field of that name, or nullptr when the name is not a field we fill.
IntegerFieldRule FindIntegerFieldRule(std::string_view name);
FloatFieldRule FindFloatFieldRule(std::string_view name);

}  // namespace kelvane

#pragma once

#include <cstdint>

#include "examples/generator/SpellLikeTable.h"

namespace kelvane::bench {

// A table the size of a big Spell file: 16 string fields (name, rank, description and buff
// description, each with three mostly empty alternates), 12 float fields, the rest integers.
inline constexpr int kSpellLikeRecords = 100'000;
inline constexpr int kSpellLikeFields = 234;
inline constexpr uint32_t kSpellLikeSeed = 4242;

SpellLikeLayout SpellLikeBenchLayout();

}  // namespace kelvane::bench

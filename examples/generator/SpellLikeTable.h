#pragma once

#include <cstdint>
#include <vector>

namespace kelvane {

class FieldDefList;
struct Workspace;

// The fields of a Spell-like table: the given string and float fields, the rest integers.
struct SpellLikeLayout {
    int FieldCount = 0;
    std::vector<int> StringFields;
    std::vector<int> FloatFields;
};

// Definitions 0 to FieldCount - 1 for the layout: field 0 is ID, string fields are named after
// what FillSpellLikeTable puts into them, the others by their number.
void DescribeSpellLikeFields(const SpellLikeLayout& layout, FieldDefList& defs);

// Rebuilds the workspace's table from its definitions 0 to fieldCount - 1 and fills it, column
// by column, with recordCount records of made-up spells and their ranks.
// The string fields, in field order, fall into four equal groups: name, rank, description and
// buff description. The first field of a group holds the text; the others are alternates,
// mostly empty and otherwise a copy. Fields with a well-known Spell field name get matching
// values, other named fields are zero (as most fields of a spell are), and fields named by their
// number get values of a sort drawn for the field: zeros, flags, small numbers, references.
void FillSpellLikeTable(Workspace& workspace, int fieldCount, int recordCount, uint32_t seed);

}  // namespace kelvane

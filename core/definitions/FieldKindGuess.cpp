#include "core/definitions/FieldKindGuess.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/dbc/TextStartMap.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

// Float values real tables hold (coordinates, radii, speeds, durations, multipliers) lie well
// inside this window, while integers read as floats land outside it: everything below about
// 898 million (ids, counts, flags, small bit masks; every integer below 1 << 24 included) reads
// as less than 1e-6, -1 and colours of the form 0xFF...... read as NaN, and the sign bit alone
// (0x80000000) as -0. Only integers from about 898 million to 1.3 billion (and their negative
// mirror) read as plausible floats, and real tables seldom hold those.
constexpr float kSmallestFloat = 1e-6f;
constexpr float kLargestFloat = 1e9f;
constexpr uint32_t kNegativeZero = 0x80000000u;

bool IsPlausibleFloat(uint32_t bits) {
    const float magnitude = std::fabs(std::bit_cast<float>(bits));
    // NaN fails both comparisons.
    return magnitude >= kSmallestFloat && magnitude <= kLargestFloat;
}

FieldKind GuessColumnKind(const ColumnVector<int32_t>& cells, const std::vector<uint32_t>& slots,
                          TextStartMap& texts, bool blockHoldsTexts) {
    bool anyNonZero = false;
    bool onlyOnes = true;
    bool allTexts = blockHoldsTexts;
    // -0 says nothing either way: a float column may hold it, and so may a bit mask.
    bool anyFloat = false;
    bool allFloats = true;
    for (const uint32_t slot : slots) {
        const auto value = static_cast<uint32_t>(cells[slot]);
        if (value == 0) {
            continue;
        }
        anyNonZero = true;
        onlyOnes = onlyOnes && value == 1;
        allTexts = allTexts && texts.Use(value) == TextCell::Start;
        if (value != kNegativeZero) {
            anyFloat = true;
            allFloats = allFloats && IsPlausibleFloat(value);
        }
        if (!allTexts && !allFloats) {
            return FieldKind::ftInteger;
        }
    }
    if (!anyNonZero) {
        return FieldKind::ftInteger;
    }
    if (allTexts && !onlyOnes) {
        return FieldKind::ftString;
    }
    return allFloats && anyFloat ? FieldKind::ftFloat : FieldKind::ftInteger;
}

}  // namespace

FieldKindGuess GuessFieldKinds(const RecordTable& integerTable, const CellLayout& cells) {
    const std::string_view block = integerTable.Strings().BlockBytes();
    TextStartMap texts(block);
    const bool blockHoldsTexts = texts.LongestText() > 0;
    FieldKindGuess guess;
    guess.Cells = cells;
    const int fieldCount = integerTable.FieldCount() - 1;
    for (int field = 0; field < fieldCount; ++field) {
        const ColumnStore& store = integerTable.ColumnStoreAt(field + 1);
        FieldKind kind = FieldKind::ftInteger;
        // A narrow cell holds a number; a field past the file's cells holds only defaults.
        if (store.Kind == FieldKind::ftInteger && field < cells.FieldCount() &&
            cells.CellBytes(field) == 4) {
            kind =
                GuessColumnKind(store.Integers, integerTable.RecordSlots(), texts, blockHoldsTexts);
        }
        guess.Kinds.push_back(kind);
        guess.TextColumns += kind == FieldKind::ftString ? 1 : 0;
        guess.FloatColumns += kind == FieldKind::ftFloat ? 1 : 0;
    }
    return guess;
}

std::vector<FieldDef> GuessedFieldDefs(const FieldKindGuess& guess) {
    const bool sized = guess.Cells.HasNarrowCells();
    std::vector<FieldDef> defs;
    for (size_t field = 0; field < guess.Kinds.size(); ++field) {
        FieldDef& def = defs.emplace_back();
        def.Number = static_cast<int32_t>(field);
        def.Name = std::to_string(field);
        def.Kind = guess.Kinds[field];
        def.KindText = std::string(FieldKindText(def.Kind));
        const int fieldNumber = static_cast<int>(field);
        if (sized && fieldNumber < guess.Cells.FieldCount()) {
            def.Bits = 8 * guess.Cells.CellBytes(fieldNumber);
        }
    }
    return defs;
}

}  // namespace kelvane

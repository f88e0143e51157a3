#pragma once

#include <cstdint>
#include <vector>

#include "core/table/ColumnAllocator.h"
#include "core/table/FieldKind.h"
#include "core/table/StringPool.h"

namespace kelvane {

// The cells of one column, addressed by storage slot. Only the array of the column's kind is
// used; blanks are rare (a cell the user cleared), so their flags are allocated on first use.
struct ColumnStore {
    FieldKind Kind = FieldKind::ftInteger;
    ColumnVector<int32_t> Integers;
    ColumnVector<double> Floats;
    ColumnVector<StringPool::Ref> Strings;
    std::vector<bool> Blanks;  // empty while no cell of the column is blank

    size_t Size() const;
    void Resize(size_t slots, StringPool::Ref emptyString);
    // Grows to `slots` without setting the new cells, for a reader that writes every one next.
    void GrowUnset(size_t slots);
    bool IsBlank(size_t slot) const { return slot < Blanks.size() && Blanks[slot]; }
    void SetBlank(size_t slot, bool blank);
};

}  // namespace kelvane

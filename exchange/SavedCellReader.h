#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/table/FieldKind.h"

namespace kelvane {

struct ColumnStore;
class RecordTable;
class StringPool;

// The cells of a browsing table as a save writes them into the file: a blank number as 0, a
// float as the bits of its 32-bit float (so -0.0 is not 0.0, and a NaN is the NaN with its
// bits), a text typed or imported since the load without blanks at either end. Two tables
// whose cells read the same here save the same bytes. The table must not change while the
// object lives.
class SavedCellReader {
  public:
    explicit SavedCellReader(const RecordTable& table);

    FieldKind Kind(int column) const { return columns_[static_cast<size_t>(column)].Kind; }
    // Whether the cell at (row, column) saves as the cell at (otherRow, column) of other, a
    // table of the same column kinds.
    bool SameAs(int row, const SavedCellReader& other, int otherRow, int column) const;
    // Whether a patch value text assigned to the column would save as the cell at row does.
    bool ReadsBackAs(std::string_view written, int row, int column) const;

  private:
    struct Column {
        FieldKind Kind = FieldKind::ftInteger;
        const ColumnStore* Store = nullptr;
    };

    uint32_t Slot(int row) const { return slots_[static_cast<size_t>(row)]; }
    int32_t Integer(uint32_t slot, const Column& column) const;
    uint32_t FloatBits(uint32_t slot, const Column& column) const;
    std::string_view Text(uint32_t slot, const Column& column) const;

    const std::vector<uint32_t>& slots_;
    const StringPool& strings_;
    std::vector<Column> columns_;
};

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/dbc/DbcFormat.h"
#include "core/table/FieldDef.h"

namespace kelvane {

// Where each field's cell lies in a record of a DBC file and how many bytes it takes: 4 for
// most cells, 2 or 1 for the narrow cells some tables hold (read unsigned).
class CellLayout {
  public:
    CellLayout() = default;
    // Cells of the given widths in bytes (1, 2 or 4), one after the other in field order.
    explicit CellLayout(std::vector<uint8_t> cellBytes);
    // fieldCount cells of 4 bytes.
    static CellLayout Uniform(int fieldCount);
    // wholeCells cells of 4 bytes, then byteCells cells of 1 byte.
    static CellLayout WholeThenBytes(int wholeCells, int byteCells);

    int FieldCount() const { return static_cast<int>(bytes_.size()); }
    int CellBytes(int field) const { return bytes_[static_cast<size_t>(field)]; }
    size_t Offset(int field) const { return offsets_[static_cast<size_t>(field)]; }
    size_t RecordSize() const { return recordSize_; }
    // Whether some cell is narrower than 4 bytes.
    bool HasNarrowCells() const;
    bool operator==(const CellLayout& other) const { return bytes_ == other.bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> offsets_;
    size_t recordSize_ = 0;
};

// The sizes in bits definitions 0 to count - 1 give their fields, 0 where they give none.
std::vector<int> FieldBitsOf(const FieldDefList& defs, int count);

// The layout a new table is saved with: cells of the definitions' sizes when they give any (32
// bits where none is given), otherwise no layout of its own (4-byte cells).
CellLayout LayoutOfNewTable(const std::vector<int>& fieldBits);

// The layout of the records of a file with this header. fieldBits holds the size in bits (8, 16
// or 32) the field definitions give each field, 0 where they give none; fields past its end
// have none. When any size is given, cells follow in field order with those sizes (32 bits
// where none is given) and must add up to the record size; otherwise cells are 4 bytes, or 4
// bytes followed by 1-byte cells when the record size says so. Fails with a KelvaneError
// naming the file (and definitionsPath, for sizes that do not fit) when no layout fits.
CellLayout RecordCellLayout(const DbcHeader& header, const std::vector<int>& fieldBits,
                            const std::string& path, const std::string& definitionsPath);

}  // namespace kelvane

#pragma once

#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/dbc/DbcLayout.h"
#include "core/dbc/DbcReader.h"
#include "core/files/ByteSource.h"
#include "core/table/FieldKind.h"
#include "core/table/RecordTable.h"

namespace kelvane {

struct DecodedRecords {
    LoadedRows Rows;
    // Per field column: string cells that did not point at a text inside the string block
    // (loaded as the empty text), and cells that pointed into the middle of a text (loaded as
    // the rest of that text).
    std::vector<int> BadStringCells;
    std::vector<int> MidTextCells;
    // Texts of the block, not empty, that no string cell pointed at.
    int UnusedTexts = 0;
};

// The kind of the table column for a field of that kind whose cells are cellBytes wide: a
// narrow cell of a string field holds a number, so its column is an integer column.
FieldKind ColumnKindOfCell(FieldKind fieldKind, int cellBytes);

// A field column to decode: its kind (ColumnKindOfCell for a field the record has) and the
// record cell it takes, or NoCell to keep the new-record default (0, 0.0 or "").
struct FieldColumnSource {
    static constexpr int NoCell = -1;
    FieldKind Kind = FieldKind::ftInteger;
    int Cell = NoCell;
};

// Turns the records of a checked DBC file into whole columns: Index (the record number), then
// one column per source, its cells taken where `cells` places them. Strings refer into a copy of
// the file's string block instead of being copied one by one. The file is read in pieces from
// the source, once.
DecodedRecords DecodeDbcRecords(ByteSource& file, const DbcLayout& layout, const CellLayout& cells,
                                const std::vector<FieldColumnSource>& columns,
                                const LoadProgress& progress);

}  // namespace kelvane

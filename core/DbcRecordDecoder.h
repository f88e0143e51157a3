#pragma once

#include <vector>

#include "core/ByteSource.h"
#include "core/DbcLayout.h"
#include "core/DbcReader.h"
#include "core/FieldKind.h"
#include "core/RecordTable.h"

namespace kelvane {

struct DecodedRecords {
    LoadedRows Rows;
    // Per field column: string cells that did not point at a text inside the string block.
    std::vector<int> BadStringCells;
};

// Turns the records of a checked DBC file into whole columns: Index (the record number), then
// one column per entry of fieldKinds. Field column i takes record cell i while i is below
// cellsPerRecord and keeps the new-record default (0, 0.0 or "") otherwise. Strings refer into
// a copy of the file's string block instead of being copied one by one. The file is read in
// pieces from the source, once.
DecodedRecords DecodeDbcRecords(ByteSource& file, const DbcLayout& layout,
                                const std::vector<FieldKind>& fieldKinds, int cellsPerRecord,
                                const LoadProgress& progress);

}  // namespace kelvane

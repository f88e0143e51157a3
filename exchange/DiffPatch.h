#pragma once

#include <string>

#include "exchange/PatchReadBackReport.h"
#include "exchange/RecordSweep.h"

namespace kelvane {

class RecordTable;
struct TableDiff;

// What a diff's patch text holds, and what it had to leave out.
struct DiffPatchReport {
    int Lines = 0;
    // Values, and whole records by their key, that patch text cannot carry, kind by kind: a
    // comment line stands in the text in their place, and the rest of the record is written.
    PatchReadBackReport LeftOut;
    // For the user: "" when nothing was left out.
    std::string Warning() const;
};

// The patch text that turns the older table into the newer one, line by line: for each changed
// record a line of its key and the cells that differ, with the newer values; for each added
// record its row line; for each removed record a comment line, since patch text cannot delete.
// Every value written is read back as the patch reader would read and the table save it; one
// that would not come back as the newer table's value is left out and said so.
DiffPatchReport WriteDiffPatch(const RecordTable& oldTable, const RecordTable& newTable,
                               const TableDiff& diff, const LineTaker& take);

// The same into a file at path, written atomically.
DiffPatchReport WriteDiffPatchFile(const RecordTable& oldTable, const RecordTable& newTable,
                                   const TableDiff& diff, const std::string& path);

}  // namespace kelvane

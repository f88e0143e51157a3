#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exchange/PatchReadBackReport.h"

namespace kelvane {

class RecordTable;
class TextLineWriter;

// A record as a patch row line: 'key:1=v1,2="v, 2",...' (column numbers count from the key
// column, the first column after Index).
std::string PatchRowLine(const RecordTable& table, int row);

// One cell as a patch cell line: selectedColumn is a grid column (Index = 0, numbered -1).
std::string PatchCellLine(const RecordTable& table, int row, int selectedColumn);

// The lines a patch export writes, each read back with the reader's own parsing and compared
// with the key and values it was written from; a whole-table export also finds repeated keys.
struct PatchExport {
    std::vector<std::string> Lines;
    PatchReadBackReport ReadBack;
};

// The row line of the record at the view row.
PatchExport ExportPatchRow(const RecordTable& table, int row);

// The cell line of the record at the view row and the grid column selectedColumn.
PatchExport ExportPatchCell(const RecordTable& table, int row, int selectedColumn);

// Told (records done, records in all) from time to time during a whole-table export.
using ExportProgress = std::function<void(int done, int total)>;

// The row lines of every record in table order, a record being edited finished
// first (posted when changed, else cancelled); the current record stays current.
PatchExport ExportPatchAll(RecordTable& table, const ExportProgress& progress = {});

// ExportPatchAll straight into a file, each line as it is made, so a big table's patch is
// never held whole; the caller commits the file.
PatchReadBackReport WritePatchAll(RecordTable& table, TextLineWriter& file,
                                  const ExportProgress& progress = {});

}  // namespace kelvane

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

class RecordTable;

// A record as a patch row line: 'key:1=v1,2="v, 2",...' (column numbers count from the key
// column, the first column after Index).
std::string PatchRowLine(const RecordTable& table, int row);

// One cell as a patch cell line: selectedColumn is a grid column (Index = 0, numbered -1).
std::string PatchCellLine(const RecordTable& table, int row, int selectedColumn);

// How many lines of an export the patch reader would skip (";" or "//" in a value) or read
// back differently from what was written (a double quote followed by a comma in a value, a
// value starting with a double quote, a key holding ":", ...), with the keys of the first few.
struct PatchReadBackReport {
    static constexpr size_t KeysShown = 5;
    int UnreadableLines = 0;
    std::vector<std::string> FirstKeys;

    void Count(std::string_view key);
    // "" when every line reads back; otherwise a message for the user.
    std::string Warning() const;
};

// The lines a patch export writes, each read back with the reader's own parsing and compared
// with the key and values it was written from.
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

// The row lines of every record in table order, walked with the grid suspended; the last
// record is current afterwards.
PatchExport ExportPatchAll(RecordTable& table, const ExportProgress& progress = {});

}  // namespace kelvane

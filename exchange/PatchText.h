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

// Told (records done, records in all) before each record of a whole-table export.
using ExportProgress = std::function<void(int done, int total)>;

// The row lines of every record in table order, walked with the grid suspended; the last
// record is current afterwards.
std::vector<std::string> PatchAllLines(RecordTable& table, const ExportProgress& progress = {});

// Lines of an export that the patch reader would skip (";" or "//" in a value) or read back
// differently (a double quote followed by a comma in a value, a value starting with a double
// quote, ...), with the keys of the first few such records.
struct PatchReadBackReport {
    int UnreadableLines = 0;
    std::vector<std::string> FirstKeys;
    // "" when every line reads back; otherwise a message for the user.
    std::string Warning() const;
};
PatchReadBackReport CheckPatchReadBack(const std::vector<std::string>& lines);

}  // namespace kelvane

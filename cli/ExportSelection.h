#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

namespace kelvane {
class RecordTable;
class TextLineWriter;
}  // namespace kelvane

namespace kelvane::cli {

// What an export command is asked for: the table, the file to write and, with "--record N"
// and "--column C", the one record or cell to take instead of the whole table.
struct ExportSelection {
    std::string TablePath;
    std::string OutPath;
    std::optional<int> Record;  // 0-based position in table order
    std::optional<int> Column;  // grid column, Index = 0; only with Record
};

// Options may stand anywhere among the two files. Fails with UsageError (filesTaken naming the
// files) for a wrong number of files, an option the command does not take, a repeated option
// or one without a whole number after it.
ExportSelection ParseExportSelection(const Arguments& args, const std::string& filesTaken,
                                     bool takesColumn);

// The view row of the selected record; fails with a KelvaneError when the table has no record
// at that position.
int SelectedRow(const RecordTable& table, const ExportSelection& selection);

// The selected grid column; fails with a KelvaneError when the table has no such column.
int SelectedColumn(const RecordTable& table, const ExportSelection& selection);

// Commits the lines written to the selection's file and says so on out.
void CommitExportFile(const ExportSelection& selection, TextLineWriter& file, std::ostream& out);

}  // namespace kelvane::cli

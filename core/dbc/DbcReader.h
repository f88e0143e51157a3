#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/dbc/DbcFormat.h"
#include "core/dbc/DbcLayout.h"
#include "core/dbc/StringBlockFit.h"
#include "core/files/ByteSource.h"
#include "core/table/FieldDef.h"
#include "core/table/RecordTable.h"

namespace kelvane {

// Told (record number, record count) now and then while records are read; cheap enough to
// drive a progress bar.
using LoadProgress = std::function<void(int record, int recordCount)>;

// What a load found beyond the table itself.
struct LoadReport {
    DbcHeader Header;
    // Some cells of the records are narrower than 4 bytes.
    bool HasByteFields = false;
    int RecordsLoaded = 0;
    // String cells whose offset lies outside the string block or whose text does not end
    // inside it; they load as the empty text.
    int BadStringCells = 0;
    std::vector<std::string> BadStringColumns;
    // The field-definition file the columns came from ("" for none) and how many fields it
    // describes (0 when it was not found).
    std::string DefinitionsPath;
    int DescribedFields = 0;
    // When the field-definition file describes another number of fields than the file has,
    // what that means for the columns; otherwise "".
    std::string DefinitionsNote;
    // What saving the table as loaded would change beyond the user's edits.
    StringBlockFit TextFit;
    // One message for the user about the definitions and how the texts fit, or "" when
    // there is nothing to say.
    std::string Warning(const std::string& path) const;
};

// The columns a read is to give: Columns field columns, described by definitions 0 to
// Columns - 1 (names, kinds, sizes). Field column i takes the file's cell i while the record
// has one; columns past the record's cells hold the new-record defaults.
struct DbcColumnRequest {
    const FieldDefList& Defs;
    int Columns = 0;
    // The definitions' file, named in messages about sizes that do not fit.
    std::string DefinitionsPath;
    // When not empty, only Index and the columns of these names (compared without case) are
    // built and decoded, for commands that read a few columns of a big table; names no column
    // has are left out.
    std::span<const std::string_view> OnlyColumns;
};

// A DBC file read into the parts of a table: its columns (Index first), its records, how the
// file's records divide into cells (what a save keeps), and what the read found.
struct DbcTableData {
    std::vector<ColumnDef> Columns;
    LoadedRows Rows;
    CellLayout Layout;
    LoadReport Report;
};

// Where the records and string block of the file lie, its header checked (see CheckDbcLayout);
// path names the file in messages.
DbcLayout ReadDbcLayout(ByteSource& file, const std::string& path);

// The checked header of the file.
DbcHeader ReadDbcHeader(ByteSource& file, const std::string& path);

// Reads the whole file. Failures throw a KelvaneError naming the file.
DbcTableData ReadDbcTable(ByteSource& file, const std::string& path,
                          const DbcColumnRequest& request, const LoadProgress& progress = {});

}  // namespace kelvane

#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/dbc/DbcFormat.h"
#include "core/dbc/DbcLayout.h"
#include "core/dbc/LoadReport.h"
#include "core/files/ByteSource.h"
#include "core/table/FieldDef.h"
#include "core/table/LoadedRows.h"

namespace kelvane {

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

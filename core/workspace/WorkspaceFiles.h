#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/dbc/LoadReport.h"
#include "core/files/ByteSource.h"

namespace kelvane {

struct Workspace;

using ColumnNames = std::span<const std::string_view>;

// The open table's files, as the editor and the command-line tool use them: the DBC format's
// reader and writer with the workspace's definitions, layout, loaded file and grid around them.

// Replaces the columns and records of the workspace's table with the records of a DBC file.
// With applyDefinitions the columns come from the field-definition file beside the current
// table (CurrentTable's FilePath and TableName), and the report says when it describes another
// number of fields; otherwise fieldLimit columns are built from the definitions held. The grid
// gets its column rules and the first record becomes current. Failures throw KelvaneError
// naming the file; a file that cannot be read leaves the workspace's table, definitions and
// loaded file as they were.
// onlyColumns, when not empty, names the columns to build (compared without case; names the
// definitions lack are left out): Index and those alone are decoded, for commands that read a
// few columns of a big table. Such a table cannot be saved.
LoadReport LoadDbcFile(Workspace& workspace, const std::string& path, bool applyDefinitions,
                       int fieldLimit, const LoadProgress& progress = {},
                       ColumnNames onlyColumns = {});

// LoadDbcFile on bytes already in memory; path only names the file in messages.
LoadReport LoadDbcBytes(Workspace& workspace, const std::string& path, std::string_view bytes,
                        bool applyDefinitions, int fieldLimit, const LoadProgress& progress = {});

// LoadDbcFile on a file opened already, which a stream can be read from only once; path only
// names the file in messages, and the workspace remembers no loaded file.
LoadReport LoadDbcSource(Workspace& workspace, const std::string& path, ByteSource& file,
                         bool applyDefinitions, int fieldLimit, const LoadProgress& progress = {});

// Finishes a record being edited (posted when changed, else cancelled) and writes the whole
// table with the workspace's cell layout, atomically (see WriteDbcFile); the current record
// stays current. Fails with "DataSet not exists" when no table is open, when only some of its
// columns were loaded, and with
// FileChangedError when path is the file the table was loaded from (Workspace::LoadedFile) and
// another program changed it since; afterwards LoadedFile is the file written.
void SaveDbcFile(Workspace& workspace, const std::string& path);

// The bytes SaveDbcFile writes for the open table, a record being edited finished first.
std::string EncodeDbcTable(Workspace& workspace);

}  // namespace kelvane

#pragma once

#include <string>

#include "core/dbc/LoadReport.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane {

struct CurrentTable;
struct Workspace;

// Makes path the current table the way opening a file does: FilePath, TableName,
// OpenedTableName and LastOpenedPath.
void PrepareOpen(CurrentTable& current, const std::string& path);

// PrepareOpen, then loads the file with the field definitions beside it. Running out of memory
// fails with a message naming the file. A file that cannot be loaded leaves the workspace as it
// was, the current table's name and path included.
// onlyColumns: see LoadDbcFile.
LoadReport OpenDbcTable(Workspace& workspace, const std::string& path,
                        const LoadProgress& progress = {}, ColumnNames onlyColumns = {});

}  // namespace kelvane

#pragma once

#include <ostream>
#include <string>

#include "core/dbc/LoadReport.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane {
struct Workspace;
}

namespace kelvane::cli {

// Loads the table as the editor's Open does (definitions from the file beside it, or from the
// .dbd files of the run's definition settings) and prints
// what the load found wrong with the file as a warning on err. onlyColumns: see LoadDbcFile.
LoadReport OpenWithWarnings(Workspace& workspace, const std::string& path, std::ostream& err,
                            ColumnNames onlyColumns = {});

// Saves the table loaded with report to target. Nobody is asked on the command line: unless
// forced, a table whose string columns do not fit its file's string block is not written (a
// KelvaneError says why), since the save would change data the command never meant to touch.
void SaveLoadedTable(Workspace& workspace, const LoadReport& report, const std::string& target,
                     bool force);

}  // namespace kelvane::cli

#pragma once

#include <ostream>
#include <string>

#include "core/DbcReader.h"

namespace kelvane {
struct Workspace;
}

namespace kelvane::cli {

// Loads the table as the editor's Open does (definitions from the file beside it) and prints
// what the load found wrong with the file as a warning on err.
LoadReport OpenWithWarnings(Workspace& workspace, const std::string& path, std::ostream& err);

// Like a plain Save, the field definitions decide what is written: warns on err when the file
// at path held strings but no column is a string column, so target is written without them.
void WarnOfLostStrings(const Workspace& workspace, const LoadReport& report,
                       const std::string& path, const std::string& target, std::ostream& err);

}  // namespace kelvane::cli

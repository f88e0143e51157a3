#pragma once

#include <string>

namespace kelvane {

struct Workspace;

// Writes the whole table as a DBC file, atomically: on any failure the file that was there
// stays untouched. Fails with "DataSet not exists" when no table is open.
void SaveDbcFile(Workspace& workspace, const std::string& path);

}  // namespace kelvane

#pragma once

#include <string>

namespace kelvane {

struct Workspace;

// Writes the whole table as a DBC file, atomically: on any failure the file that was there
// stays untouched. Fails with "DataSet not exists" when no table is open, and with
// FileChangedError when path is the file the table was loaded from (Workspace::LoadedFile) and
// another program changed it since; afterwards LoadedFile is the file written.
void SaveDbcFile(Workspace& workspace, const std::string& path);

// The bytes SaveDbcFile writes for the open table: records in table order, strings placed once
// (texts set since the load trimmed), the cell layout of the file loaded last kept while the
// columns match it.
// Fails with a KelvaneError saying why the table cannot be written.
std::string EncodeDbcTable(Workspace& workspace);

}  // namespace kelvane

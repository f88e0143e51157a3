#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kelvane {

struct Workspace;

// A workspace whose current table is folder/tableName.dbc, so the field-definition file goes
// beside it. On the heap: the definition list alone is large.
std::unique_ptr<Workspace> ExampleWorkspace(std::string_view folder, std::string_view tableName);

// Writes the workspace's table to its current file and returns the path.
std::string SaveExample(Workspace& workspace);

}  // namespace kelvane

#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/FieldKind.h"

namespace kelvane {

struct Workspace;

// A workspace whose current table is folder/tableName.dbc, so the field-definition file goes
// beside it. On the heap: the definition list alone is large.
std::unique_ptr<Workspace> ExampleWorkspace(std::string_view folder, std::string_view tableName);

// Writes the workspace's table to its current file and returns the path.
std::string SaveExample(Workspace& workspace);

// One field of an example table whose definitions are not one of the built-in presets.
struct ExampleField {
    std::string_view Name;
    FieldKind Kind = FieldKind::ftInteger;
    bool Hex = false;
};

// Puts the fields into the workspace's definitions and builds the empty table from them.
void DefineExampleColumns(Workspace& workspace, std::span<const ExampleField> fields);

// Writes the table to its current file and the definitions of its fieldCount fields beside it,
// in a new file; returns both paths, the table first.
std::vector<std::string> SaveExampleWithDefs(Workspace& workspace, int fieldCount);

}  // namespace kelvane

#include "core/workspace/TableFromDefinitions.h"

#include "core/dbc/DefinedColumns.h"
#include "core/workspace/Workspace.h"

namespace kelvane {

void CreateTableFromDefinitions(Workspace& workspace, int fieldCount) {
    CreateColumns(workspace.Table, ColumnsOfDefinitions(workspace.Defs, fieldCount));
    workspace.FileLayout = LayoutOfNewTable(FieldBitsOf(workspace.Defs, fieldCount));
    // A new table has no file, so no definition file speaks for it.
    workspace.Definitions = {};
}

}  // namespace kelvane

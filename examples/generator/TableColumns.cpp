#include "examples/generator/TableColumns.h"

#include "core/Workspace.h"

namespace kelvane {

void CreateColumnsFromDefs(Workspace& workspace, int fieldCount) {
    RecordTable& table = workspace.Table;
    table.Close();
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, 0, true);
    for (int field = 0; field < fieldCount; ++field) {
        const FieldDef& def = workspace.Defs[field];
        const int size = def.Kind == FieldKind::ftString ? StringFieldSize : 0;
        table.AddFieldDef(def.Name, def.Kind, size, false);
    }
    table.CreateDataSet();
    workspace.FileLayout = LayoutOfNewTable(FieldBitsOf(workspace.Defs, fieldCount));
}

}  // namespace kelvane

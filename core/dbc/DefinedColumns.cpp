#include "core/dbc/DefinedColumns.h"

#include "core/dbc/DbcRecordDecoder.h"

namespace kelvane {
std::vector<ColumnDef> ColumnsOfDefinitions(const FieldDefList& defs, int count,
                                            const CellLayout& cells) {
    std::vector<ColumnDef> columns{{"Index", FieldKind::ftInteger, true}};
    for (int field = 0; field < count; ++field) {
        const FieldDef& def = defs[field];
        const FieldKind kind = field < cells.FieldCount()
                                   ? ColumnKindOfCell(def.Kind, cells.CellBytes(field))
                                   : def.Kind;
        columns.push_back({def.Name, kind, false});
    }
    return columns;
}

void CreateColumns(RecordTable& table, const std::vector<ColumnDef>& columns) {
    // The definitions are checked before the open table is replaced: a name given twice leaves
    // it open as it was.
    table.ClearFieldDefs();
    for (const ColumnDef& column : columns) {
        table.AddFieldDef(column.Name, column.Kind, column.Required);
    }
    table.OpenEmpty();
}

}  // namespace kelvane

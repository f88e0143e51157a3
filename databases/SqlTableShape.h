#pragma once

#include <string>
#include <vector>

#include "core/table/FieldKind.h"

namespace kelvane {

class CellLayout;
class RecordTable;

// One field column of a table as a column of a database table.
struct SqlColumn {
    std::string Name;  // the column's name in the table (the definitions' name)
    FieldKind Kind = FieldKind::ftInteger;
    int CellBytes = 4;    // 1 or 2 for the narrow cells of the file's layout, otherwise 4
    int TableColumn = 1;  // its column in the RecordTable (Index = 0 is never a SQL column)
};

// What a table looks like as a database table: every column after Index, in table order, and
// whether the key column (the first of them) may be the primary key.
struct SqlTableShape {
    std::string Name;  // the database table's name: the DBC table's name
    std::vector<SqlColumn> Columns;
    // No two records share a key and no key is blank.
    bool KeyIsUnique = false;
};

// The shape of the open table. layout is the cell layout of the file the table came from; when
// it does not describe the table's columns (a new table, columns added since), every cell
// counts as 4 bytes. A record being edited is not looked at: finish it first.
SqlTableShape ShapeOfTable(const RecordTable& table, const CellLayout& layout,
                           const std::string& tableName);

}  // namespace kelvane

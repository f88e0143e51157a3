#include "databases/SqlTableShape.h"

#include <string_view>
#include <unordered_set>

#include "core/dbc/CellLayout.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;

template <class Key, class KeyOfRow>
bool NoRepeats(int rowCount, KeyOfRow keyOfRow) {
    std::unordered_set<Key> seen;
    seen.reserve(static_cast<size_t>(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        if (!seen.insert(keyOfRow(row)).second) {
            return false;
        }
    }
    return true;
}

bool KeyIsUnique(const RecordTable& table) {
    if (table.FieldCount() <= kKeyColumn) {
        return false;
    }
    const int rows = table.RecordCount();
    for (int row = 0; row < rows; ++row) {
        if (table.IsBlank(row, kKeyColumn)) {
            return false;
        }
    }
    switch (table.ColumnKind(kKeyColumn)) {
        case FieldKind::ftInteger:
            return NoRepeats<int32_t>(rows,
                                      [&](int row) { return table.IntegerAt(row, kKeyColumn); });
        case FieldKind::ftFloat:
            // Compared as numbers: 0.0 and -0.0 are one key to a database.
            return NoRepeats<double>(rows, [&](int row) { return table.FloatAt(row, kKeyColumn); });
        case FieldKind::ftString:
            return NoRepeats<std::string_view>(
                rows, [&](int row) { return table.StringAt(row, kKeyColumn); });
    }
    return false;
}

}  // namespace

SqlTableShape ShapeOfTable(const RecordTable& table, const CellLayout& layout,
                           const std::string& tableName) {
    SqlTableShape shape;
    shape.Name = tableName;
    const int fields = table.FieldCount() - 1;
    const bool layoutFits = layout.FieldCount() == fields;
    for (int column = 1; column < table.FieldCount(); ++column) {
        SqlColumn sql;
        sql.Name = table.ColumnName(column);
        sql.Kind = table.ColumnKind(column);
        sql.CellBytes = layoutFits ? layout.CellBytes(column - 1) : 4;
        sql.TableColumn = column;
        shape.Columns.push_back(std::move(sql));
    }
    shape.KeyIsUnique = KeyIsUnique(table);
    return shape;
}

}  // namespace kelvane

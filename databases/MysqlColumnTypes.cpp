#include "databases/MysqlColumnTypes.h"

#include "core/RecordTable.h"
#include "core/Utf8.h"
#include "databases/SqlTableShape.h"

namespace kelvane {
namespace {

// The table cuts every text to StringFieldSize bytes, which TEXT and BLOB always hold.
static_assert(StringFieldSize <= 65535);

std::string IntegerType(int cellBytes) {
    switch (cellBytes) {
        case 1:
            return "TINYINT UNSIGNED";
        case 2:
            return "SMALLINT UNSIGNED";
        default:
            return "INT";
    }
}

MysqlColumn TextColumn(const RecordTable& table, int column) {
    for (int row = 0; row < table.RecordCount(); ++row) {
        if (!IsUtf8(table.StringAt(row, column))) {
            return MysqlColumn{"BLOB", true};
        }
    }
    return MysqlColumn{"TEXT", false};
}

}  // namespace

std::vector<MysqlColumn> MysqlColumnsOf(const RecordTable& table, const SqlTableShape& shape) {
    std::vector<MysqlColumn> columns;
    for (const SqlColumn& sql : shape.Columns) {
        switch (sql.Kind) {
            case FieldKind::ftInteger:
                columns.push_back({IntegerType(sql.CellBytes), false});
                break;
            case FieldKind::ftFloat:
                columns.push_back({"DOUBLE", false});
                break;
            case FieldKind::ftString:
                columns.push_back(TextColumn(table, sql.TableColumn));
                break;
        }
    }
    return columns;
}

}  // namespace kelvane

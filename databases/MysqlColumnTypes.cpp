#include "databases/MysqlColumnTypes.h"

#include <algorithm>

#include "core/base/Utf8.h"
#include "core/table/RecordTable.h"
#include "databases/SqlTableShape.h"

namespace kelvane {
namespace {

// The smallest of MySQL's text (or byte string) types that holds longestBytes: TEXT, MEDIUMTEXT
// or LONGTEXT. Tables load texts of any length, and a too small type would cut them.
std::string SizedTextType(size_t longestBytes, const std::string& kind) {
    constexpr size_t kTextBytes = 65535;
    constexpr size_t kMediumTextBytes = 16777215;
    if (longestBytes <= kTextBytes) {
        return kind;
    }
    return (longestBytes <= kMediumTextBytes ? "MEDIUM" : "LONG") + kind;
}

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
    bool bytes = false;
    size_t longest = 0;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const std::string_view text = table.StringAt(row, column);
        bytes = bytes || !IsUtf8(text);
        longest = std::max(longest, text.size());
    }
    return MysqlColumn{SizedTextType(longest, bytes ? "BLOB" : "TEXT"), bytes};
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

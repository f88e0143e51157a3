#include "exchange/CellTextAppend.h"

#include <charconv>

#include "core/RecordTable.h"
#include "core/ValueText.h"

namespace kelvane {

void AppendCellText(std::string& out, const RecordTable& table, int row, int column) {
    if (row < 0 || table.IsBlank(row, column)) {
        return;
    }
    switch (table.ColumnKind(column)) {
        case FieldKind::ftString:
            out += table.StringAt(row, column);
            return;
        case FieldKind::ftFloat:
            out += FloatText(table.FloatAt(row, column));
            return;
        case FieldKind::ftInteger:
            break;
    }
    char digits[16];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, table.IntegerAt(row, column));
    out.append(digits, written.ptr);
}

}  // namespace kelvane

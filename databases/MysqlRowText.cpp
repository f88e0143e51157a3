#include "databases/MysqlRowText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "core/base/DecimalSeparator.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"
#include "databases/MysqlText.h"
#include "exchange/CellTexts.h"

namespace kelvane {

MysqlRowText::MysqlRowText(const RecordTable& table, const SqlTableShape& shape,
                           const std::vector<MysqlColumn>& columns, std::string target)
    : table_(table),
      shape_(shape),
      columns_(columns),
      target_(std::move(target)),
      separator_(DecimalSeparator()) {}

void MysqlRowText::Build(int row, std::string& text) {
    text.assign(1, '(');
    for (size_t i = 0; i < shape_.Columns.size(); ++i) {
        const SqlColumn& column = shape_.Columns[i];
        if (i > 0) {
            text += ',';
        }
        if (table_.IsBlank(row, column.TableColumn)) {
            text += "NULL";
            continue;
        }
        switch (column.Kind) {
            case FieldKind::ftInteger:
                AppendInteger(text, row, column);
                break;
            case FieldKind::ftFloat:
                AppendFloat(text, row, column);
                break;
            case FieldKind::ftString:
                if (columns_[i].Binary) {
                    AppendMysqlHex(text, table_.StringAt(row, column.TableColumn));
                } else {
                    AppendMysqlString(text, table_.StringAt(row, column.TableColumn));
                }
                break;
        }
    }
    text += ')';
}

void MysqlRowText::AppendInteger(std::string& text, int row, const SqlColumn& column) {
    const int32_t value = table_.IntegerAt(row, column.TableColumn);
    if (column.CellBytes < 4) {
        const uint32_t largest = (uint32_t{1} << (8 * column.CellBytes)) - 1;
        if (value < 0 || static_cast<uint32_t>(value) > largest) {
            Fail(row, column, IntegerText(value),
                 "its " + std::to_string(column.CellBytes) +
                     "-byte cell holds a whole number from 0 to " + std::to_string(largest));
        }
    }
    kelvane::AppendInteger(text, value);
}

void MysqlRowText::AppendFloat(std::string& text, int row, const SqlColumn& column) {
    const double value = table_.FloatAt(row, column.TableColumn);
    if (!std::isfinite(value)) {
        Fail(row, column, FloatText(value),
             "MySQL has no such number (if the column holds bit patterns, make it an integer "
             "column)");
    }
    // A DOUBLE column keeps no -0, however it is written; the dump says what it will hold.
    if (value == 0 && std::signbit(value)) {
        text += '0';
        ++minusZeros_;
        return;
    }
    const size_t start = text.size();
    floats_.Append(text, value);
    if (separator_ != '.') {
        std::replace(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), separator_,
                     '.');
    }
}

// The record is numbered as the status bar numbers it: from 1, in table order.
void MysqlRowText::Fail(int row, const SqlColumn& column, const std::string& value,
                        const std::string& why) const {
    throw KelvaneError("Cannot write the MySQL dump \"" + target_ + "\": the column \"" +
                       EchoText(column.Name) + "\" of record " + std::to_string(row + 1) +
                       " holds " + value + ", but " + why + ".");
}

}  // namespace kelvane

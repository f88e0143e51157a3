#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "core/table/FieldKind.h"
#include "core/table/StringPool.h"
#include "exchange/FloatTextCache.h"

namespace kelvane {

class RecordTable;

// Appends an integer in signed decimal.
inline void AppendInteger(std::string& out, int32_t value) {
    // Most cells of a typical table hold a single digit, most of them 0.
    if (value >= 0 && value <= 9) {
        out += static_cast<char>('0' + value);
        return;
    }
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<size_t>(written.ptr - digits));
}

// Appends the text of a cell the way every text writer writes it: integers in signed decimal
// whatever their hex flag, floats in general format with the user's decimal separator, strings
// as stored, blank cells nothing. row is a view row; -1 (no current record) appends nothing.
void AppendCellText(std::string& out, const RecordTable& table, int row, int column);

// The same for passes over many cells, without a string built per cell. While the table is
// browsing, cells are read straight from its column storage; a record being edited or inserted
// is read through the table. The table must not change while the object lives.
class CellTexts {
  public:
    explicit CellTexts(const RecordTable& table);

    // row is a view row; -1 (no current record) appends nothing. Integer cells, the bulk of
    // most tables, take the inline path.
    void Append(std::string& out, int row, int column) {
        if (row < 0) {
            return;
        }
        if (slots_ == nullptr) {
            AppendCellText(out, table_, row, column);
            return;
        }
        const uint32_t slot = slots_[row];
        const StoredColumn& stored = columns_[static_cast<size_t>(column)];
        if (stored.Blanks != nullptr && slot < stored.Blanks->size() && (*stored.Blanks)[slot]) {
            return;
        }
        if (stored.Kind == FieldKind::ftInteger) {
            AppendInteger(out, stored.Integers[slot]);
        } else {
            AppendStoredText(out, slot, stored);
        }
    }

    // Integer columns never hold a blank, a comma or a double quote.
    bool HoldsIntegers(int column) const {
        return columns_[static_cast<size_t>(column)].Kind == FieldKind::ftInteger;
    }

  private:
    struct StoredColumn {
        FieldKind Kind = FieldKind::ftInteger;
        const int32_t* Integers = nullptr;
        const double* Floats = nullptr;
        const StringPool::Ref* Strings = nullptr;
        const std::vector<bool>* Blanks = nullptr;  // null while no cell of the column is blank
        const char* Cells = nullptr;                // the array of the column's kind
        size_t CellSize = 0;
    };

    void AppendStoredText(std::string& out, uint32_t slot, const StoredColumn& column);

    const RecordTable& table_;
    const uint32_t* slots_ = nullptr;  // the table's record slots while it is browsing
    std::vector<StoredColumn> columns_;
    FloatTextCache floats_;
};

}  // namespace kelvane

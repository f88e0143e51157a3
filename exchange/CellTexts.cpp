#include "exchange/CellTexts.h"

#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"

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
    AppendInteger(out, table.IntegerAt(row, column));
}

CellTexts::CellTexts(const RecordTable& table) : table_(table) {
    columns_.resize(static_cast<size_t>(table.FieldCount()));
    for (int column = 0; column < table.FieldCount(); ++column) {
        columns_[static_cast<size_t>(column)].Kind = table.ColumnKind(column);
    }
    if (table.State() != TableState::Browse) {
        return;
    }
    slots_ = table.RecordSlots().data();
    for (int column = 0; column < table.FieldCount(); ++column) {
        const ColumnStore& store = table.ColumnStoreAt(column);
        StoredColumn& stored = columns_[static_cast<size_t>(column)];
        stored.Integers = store.Integers.data();
        stored.Floats = store.Floats.data();
        stored.Strings = store.Strings.data();
        stored.Blanks = store.Blanks.empty() ? nullptr : &store.Blanks;
    }
}

void CellTexts::AppendStoredText(std::string& out, uint32_t slot, const StoredColumn& column) {
    if (column.Kind == FieldKind::ftString) {
        out += table_.Strings().View(column.Strings[slot]);
    } else {
        floats_.Append(out, column.Floats[slot]);
    }
}

}  // namespace kelvane

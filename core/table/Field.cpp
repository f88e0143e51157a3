#include "core/table/Field.h"

#include <algorithm>
#include <optional>

#include "core/base/CellTextErrors.h"
#include "core/base/ValueText.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

namespace kelvane {

const std::string& Field::Name() const {
    return table_->ColumnName(column_);
}

FieldKind Field::Kind() const {
    return table_->ColumnKind(column_);
}

const std::string& Field::Caption() const {
    return table_->Presentation(column_).Caption;
}

bool Field::IsNull() const {
    const int row = table_->CurrentRow();
    return row < 0 || table_->IsBlank(row, column_);
}

int32_t Field::AsInteger() const {
    if (IsNull()) {
        return 0;
    }
    const int row = table_->CurrentRow();
    switch (Kind()) {
        case FieldKind::ftFloat: {
            const double value = table_->FloatAt(row, column_);
            if (const auto rounded = RoundToInteger(value)) {
                return *rounded;
            }
            ThrowNotIntegerForField(FloatText(value), Caption());
        }
        case FieldKind::ftString: {
            const std::string_view text = table_->StringAt(row, column_);
            if (const auto value = ParseIntegerText(text)) {
                return *value;
            }
            ThrowNotIntegerForField(text, Caption());
        }
        case FieldKind::ftInteger:
            break;
    }
    return table_->IntegerAt(row, column_);
}

double Field::AsFloat() const {
    if (IsNull()) {
        return 0;
    }
    const int row = table_->CurrentRow();
    switch (Kind()) {
        case FieldKind::ftInteger:
            return table_->IntegerAt(row, column_);
        case FieldKind::ftString: {
            const std::string_view text = table_->StringAt(row, column_);
            if (const auto value = ParseFloatText(text)) {
                return *value;
            }
            ThrowNotFloatForField(text, Caption());
        }
        case FieldKind::ftFloat:
            break;
    }
    return table_->FloatAt(row, column_);
}

std::string Field::AsString() const {
    return IsNull() ? std::string() : table_->CellText(table_->CurrentRow(), column_);
}

std::string Field::DisplayText() const {
    const int row = table_->CurrentRow();
    return row < 0 ? std::string() : table_->DisplayText(row, column_);
}

void Field::SetAsInteger(int32_t value) {
    switch (Kind()) {
        case FieldKind::ftString:
            table_->SetCurrentCell(column_, [&](auto& cell) { cell.Text = IntegerText(value); });
            return;
        case FieldKind::ftFloat:
            table_->SetCurrentCell(column_, [&](auto& cell) { cell.Float = value; });
            return;
        case FieldKind::ftInteger:
            break;
    }
    table_->SetCurrentCell(column_, [&](auto& cell) { cell.Integer = value; });
}

void Field::SetAsFloat(double value) {
    switch (Kind()) {
        case FieldKind::ftString:
            table_->SetCurrentCell(column_, [&](auto& cell) { cell.Text = FloatText(value); });
            return;
        case FieldKind::ftInteger: {
            const auto rounded = RoundToInteger(value);
            if (!rounded) {
                ThrowNotIntegerForField(FloatText(value), Caption());
            }
            table_->SetCurrentCell(column_, [&](auto& cell) { cell.Integer = *rounded; });
            return;
        }
        case FieldKind::ftFloat:
            break;
    }
    RequireFloatRange(value, FloatText(value), Caption());
    table_->SetCurrentCell(column_, [&](auto& cell) { cell.Float = value; });
}

// Empty text blanks a number cell; other text is read by the cell's kind before the cell changes,
// so a refused text leaves the record as it was.
void Field::SetAsString(std::string_view text) {
    table_->RequireEditing();
    // A number, or a blank for no text, into the cell's member of the column's kind.
    const auto setNumber = [&](auto value, auto member) {
        table_->SetCurrentCell(column_, [&](auto& cell) {
            cell.Blank = !value;
            cell.*member = value.value_or(0);
        });
    };
    switch (Kind()) {
        case FieldKind::ftString:
            RequireTextWithoutNul(text, Caption());
            table_->SetCurrentCell(column_, [&](auto& cell) { cell.Text.assign(text); });
            return;
        case FieldKind::ftFloat: {
            const std::optional<double> value = text.empty() ? std::nullopt : ParseFloatText(text);
            if (!text.empty() && !value) {
                ThrowNotFloatForField(text, Caption());
            }
            if (value) {
                RequireFloatRange(*value, text, Caption());
            }
            setNumber(value, &RecordTable::EditCell::Float);
            return;
        }
        case FieldKind::ftInteger:
            break;
    }
    const std::optional<int32_t> value = text.empty() ? std::nullopt : ParseIntegerText(text);
    if (!text.empty() && !value) {
        ThrowNotIntegerForField(text, Caption());
    }
    setNumber(value, &RecordTable::EditCell::Integer);
}

void Field::SetDisplayText(std::string_view text) {
    if (table_->Presentation(column_).HexHooks) {
        table_->RequireEditing();
        SetAsInteger(ParseHexEntry(text));
        return;
    }
    SetAsString(text);
}

void Field::Clear() {
    table_->SetCurrentCell(column_, [](auto& cell) { cell.Blank = true; });
}

}  // namespace kelvane

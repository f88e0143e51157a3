#include <algorithm>

#include "core/EchoText.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/ValueText.h"

namespace kelvane {
namespace {

[[noreturn]] void FailInteger(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid integer value for field '" +
                       caption + "'");
}

[[noreturn]] void FailFloat(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid floating point value for field '" +
                       caption + "'");
}

}  // namespace

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
            FailInteger(FloatText(value), Caption());
        }
        case FieldKind::ftString: {
            const std::string_view text = table_->StringAt(row, column_);
            if (const auto value = ParseIntegerText(text)) {
                return *value;
            }
            FailInteger(text, Caption());
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
            FailFloat(text, Caption());
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
    RecordTable::EditCell cell;
    switch (Kind()) {
        case FieldKind::ftString:
            cell.Text = IntegerText(value);
            break;
        case FieldKind::ftFloat:
            cell.Float = value;
            break;
        case FieldKind::ftInteger:
            cell.Integer = value;
            break;
    }
    table_->SetCurrentCell(column_, std::move(cell));
}

void Field::SetAsFloat(double value) {
    RecordTable::EditCell cell;
    switch (Kind()) {
        case FieldKind::ftString:
            cell.Text = FloatText(value);
            break;
        case FieldKind::ftInteger: {
            const auto rounded = RoundToInteger(value);
            if (!rounded) {
                FailInteger(FloatText(value), Caption());
            }
            cell.Integer = *rounded;
            break;
        }
        case FieldKind::ftFloat:
            cell.Float = value;
            break;
    }
    table_->SetCurrentCell(column_, std::move(cell));
}

void Field::SetAsString(std::string_view text) {
    table_->RequireEditing();
    RecordTable::EditCell cell;
    switch (Kind()) {
        case FieldKind::ftString:
            cell.Text = text.substr(0, StringFieldSize);
            break;
        case FieldKind::ftFloat:
            if (text.empty()) {
                cell.Blank = true;
            } else if (const auto value = ParseFloatText(text)) {
                cell.Float = *value;
            } else {
                FailFloat(text, Caption());
            }
            break;
        case FieldKind::ftInteger:
            if (text.empty()) {
                cell.Blank = true;
            } else if (const auto value = ParseIntegerText(text)) {
                cell.Integer = *value;
            } else {
                FailInteger(text, Caption());
            }
            break;
    }
    table_->SetCurrentCell(column_, std::move(cell));
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
    RecordTable::EditCell cell;
    cell.Blank = true;
    table_->SetCurrentCell(column_, std::move(cell));
}

}  // namespace kelvane

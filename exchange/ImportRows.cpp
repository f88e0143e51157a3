#include "exchange/ImportRows.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/CellTextErrors.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/ValueText.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
// An integer cell holds any 32-bit pattern: signed values, and unsigned ones as databases and
// spreadsheets write them.
constexpr int64_t kLowestInteger = std::numeric_limits<int32_t>::min();
constexpr int64_t kHighestInteger = std::numeric_limits<uint32_t>::max();

void RequireImportColumns(const RecordTable& table, const std::vector<int>& columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const int column = columns[i];
        if (column < 1 || column >= table.FieldCount()) {
            throw KelvaneError("Column " + std::to_string(column) + " is not a field column");
        }
        if (std::find(columns.begin(), columns.begin() + static_cast<std::ptrdiff_t>(i), column) !=
            columns.begin() + static_cast<std::ptrdiff_t>(i)) {
            throw KelvaneError("The column " + table.ColumnName(column) + " is given twice");
        }
    }
    if (std::find(columns.begin(), columns.end(), kKeyColumn) == columns.end()) {
        throw KelvaneError("The key column " + table.ColumnName(kKeyColumn) +
                           " is missing, so no record can be matched");
    }
}

}  // namespace

ImportRows::ImportRows(const RecordTable& table, std::vector<int> columns) {
    table.RequireActive();
    RequireImportColumns(table, columns);
    columns_.reserve(columns.size());
    for (const int column : columns) {
        Column imported;
        imported.Table = column;
        imported.Kind = table.ColumnKind(column);
        imported.Name = table.Presentation(column).Caption;
        imported.Size = table.FieldDefAt(column).Size;
        columns_.push_back(std::move(imported));
    }
}

void ImportRows::Reserve(int rows) {
    const auto size = static_cast<size_t>(rows);
    for (Column& column : columns_) {
        switch (column.Kind) {
            case FieldKind::ftInteger:
                column.Integers.reserve(size);
                break;
            case FieldKind::ftFloat:
                column.Floats.reserve(size);
                break;
            case FieldKind::ftString:
                column.TextEnds.reserve(size);
                break;
        }
        column.Set.reserve(size);
    }
}

void ImportRows::AddRow() {
    for (Column& column : columns_) {
        switch (column.Kind) {
            case FieldKind::ftInteger:
                column.Integers.push_back(0);
                break;
            case FieldKind::ftFloat:
                column.Floats.push_back(0);
                break;
            case FieldKind::ftString:
                column.TextEnds.push_back(static_cast<uint64_t>(column.Texts.size()));
                break;
        }
        column.Set.push_back(false);
    }
    ++rowCount_;
}

ImportRows::Column& ImportRows::CellColumn(int position) {
    if (rowCount_ == 0) {
        throw KelvaneError("A cell was set before any row was added");
    }
    return columns_.at(static_cast<size_t>(position));
}

void ImportRows::SetInteger(int position, int64_t value) {
    Column& column = CellColumn(position);
    switch (column.Kind) {
        case FieldKind::ftInteger:
            if (value < kLowestInteger || value > kHighestInteger) {
                ThrowNotIntegerForField(std::to_string(value), column.Name);
            }
            column.Integers.back() = static_cast<int32_t>(static_cast<uint32_t>(value));
            break;
        case FieldKind::ftFloat:
            column.Floats.back() = static_cast<double>(value);
            break;
        case FieldKind::ftString:
            PutText(column, std::to_string(value));
            break;
    }
    column.Set.back() = true;
}

void ImportRows::SetFloat(int position, double value) {
    Column& column = CellColumn(position);
    switch (column.Kind) {
        case FieldKind::ftInteger: {
            // Only a whole number: a database may hand back 5.0 for an integer, never 5.5.
            const std::optional<int32_t> whole = RoundToInteger(value);
            if (!whole || static_cast<double>(*whole) != value) {
                ThrowNotIntegerForField(FloatText(value), column.Name);
            }
            column.Integers.back() = *whole;
            break;
        }
        case FieldKind::ftFloat:
            column.Floats.back() = value;
            break;
        case FieldKind::ftString:
            PutText(column, FloatText(value));
            break;
    }
    column.Set.back() = true;
}

void ImportRows::SetText(int position, std::string_view text) {
    Column& column = CellColumn(position);
    switch (column.Kind) {
        case FieldKind::ftInteger: {
            if (text.empty()) {
                column.Set.back() = false;
                return;
            }
            const std::optional<int32_t> value = ParseIntegerText(text);
            if (!value) {
                ThrowNotIntegerForField(text, column.Name);
            }
            column.Integers.back() = *value;
            break;
        }
        case FieldKind::ftFloat: {
            if (text.empty()) {
                column.Set.back() = false;
                return;
            }
            const std::optional<double> value = ParseFloatText(text);
            if (!value) {
                ThrowNotFloatForField(text, column.Name);
            }
            column.Floats.back() = *value;
            break;
        }
        case FieldKind::ftString:
            PutText(column, text.substr(0, static_cast<size_t>(column.Size)));
            break;
    }
    column.Set.back() = true;
}

// A cell set a second time replaces its text, which is always the last one stored.
void ImportRows::PutText(Column& column, std::string_view text) {
    const uint64_t start =
        column.TextEnds.size() > 1 ? column.TextEnds[column.TextEnds.size() - 2] : 0;
    column.Texts.resize(static_cast<size_t>(start));
    column.Texts.append(text);
    column.TextEnds.back() = static_cast<uint64_t>(column.Texts.size());
}

bool ImportRows::IsBlank(int row, int position) const {
    return !columns_[static_cast<size_t>(position)].Set[static_cast<size_t>(row)];
}

int32_t ImportRows::IntegerAt(int row, int position) const {
    return columns_[static_cast<size_t>(position)].Integers[static_cast<size_t>(row)];
}

double ImportRows::FloatAt(int row, int position) const {
    return columns_[static_cast<size_t>(position)].Floats[static_cast<size_t>(row)];
}

std::string_view ImportRows::TextAt(int row, int position) const {
    const Column& column = columns_[static_cast<size_t>(position)];
    const size_t end = static_cast<size_t>(column.TextEnds[static_cast<size_t>(row)]);
    const size_t start =
        row > 0 ? static_cast<size_t>(column.TextEnds[static_cast<size_t>(row) - 1]) : 0;
    return std::string_view(column.Texts).substr(start, end - start);
}

}  // namespace kelvane

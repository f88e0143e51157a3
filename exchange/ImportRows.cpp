#include "exchange/ImportRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "core/base/CellTextErrors.h"
#include "core/base/KelvaneError.h"
#include "core/base/ValueText.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;

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

// A DBC file keeps floats in 32 bits, and the exports write 15 significant digits, which may
// not give back the very same number. A text that the nearest 32-bit float writes exactly so
// stood for that float, and takes it, so that an export reads back bit for bit.
double FloatWrittenAs(double value, std::string_view text) {
    // Past this (half way to the next step above the largest float) a float would overflow.
    constexpr double kFloatLimit = std::numeric_limits<float>::max() * (1 + 0x1p-25);
    if (!(std::fabs(value) < kFloatLimit)) {
        return value;
    }
    const double narrow = static_cast<float>(value);
    return narrow != value && FloatText(narrow) == text ? narrow : value;
}

// A number an integer cell takes: a whole one within 32 bits, as a database may hand back 5.0
// for an integer, never 5.5.
std::optional<int32_t> WholeNumber(double value) {
    const std::optional<int32_t> whole = RoundToInteger(value);
    if (!whole || static_cast<double>(*whole) != value) {
        return std::nullopt;
    }
    return whole;
}

// A spreadsheet writes an unsigned 32-bit value as it is, past what a signed one holds.
std::optional<int64_t> WideDecimal(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ImportRows::ImportRows(const RecordTable& table, std::vector<int> columns, ImportSource source)
    : source_(std::move(source)) {
    table.RequireActive();
    RequireImportColumns(table, columns);
    columns_.reserve(columns.size());
    for (const int column : columns) {
        Column imported;
        imported.Table = column;
        imported.Kind = table.ColumnKind(column);
        imported.Name = table.Presentation(column).Caption;
        columns_.push_back(std::move(imported));
    }
}

void ImportRows::Reserve(int rows) {
    if (rows > capacity_) {
        GrowTo(rows);
        places_.reserve(static_cast<size_t>(rows));
    }
}

void ImportRows::GrowTo(int rows) {
    const auto size = static_cast<size_t>(rows);
    for (Column& column : columns_) {
        switch (column.Kind) {
            case FieldKind::ftInteger:
                column.Integers.resize(size);
                break;
            case FieldKind::ftFloat:
                column.Floats.resize(size);
                break;
            case FieldKind::ftString:
                column.TextStarts.resize(size);
                column.TextSizes.resize(size);
                break;
        }
        column.Set.resize(size);
    }
    capacity_ = rows;
}

void ImportRows::AddRow(int64_t place) {
    if (rowCount_ == capacity_) {
        constexpr int kFirstRows = 1024;
        GrowTo(std::max(kFirstRows, capacity_ * 2));
    }
    places_.push_back(place);
    ++rowCount_;
}

ImportRows::Column& ImportRows::LastRowCell(int position) {
    if (rowCount_ == 0) {
        throw KelvaneError("A cell was set before any row was added");
    }
    return columns_.at(static_cast<size_t>(position));
}

void ImportRows::SetOtherInteger(int position, int64_t value) {
    Column& column = LastRowCell(position);
    const size_t row = Row(rowCount_ - 1);
    switch (column.Kind) {
        case FieldKind::ftInteger:
            if (value < kLowestInteger || value > kHighestInteger) {
                ThrowNotIntegerForField(std::to_string(value), column.Name);
            }
            column.Integers[row] = static_cast<int32_t>(static_cast<uint32_t>(value));
            break;
        case FieldKind::ftFloat:
            column.Floats[row] = static_cast<double>(value);
            break;
        case FieldKind::ftString:
            PutText(column, row, std::to_string(value));
            break;
    }
    column.Set[row] = true;
}

void ImportRows::SetFloat(int position, double value) {
    Column& column = LastRowCell(position);
    const size_t row = Row(rowCount_ - 1);
    switch (column.Kind) {
        case FieldKind::ftInteger: {
            const std::optional<int32_t> whole = WholeNumber(value);
            if (!whole) {
                ThrowNotIntegerForField(FloatText(value), column.Name);
            }
            column.Integers[row] = *whole;
            break;
        }
        case FieldKind::ftFloat:
            RequireFloatRange(value, FloatText(value), column.Name);
            column.Floats[row] = value;
            break;
        case FieldKind::ftString:
            PutText(column, row, FloatText(value));
            break;
    }
    column.Set[row] = true;
}

void ImportRows::SetText(int position, std::string_view text) {
    Column& column = LastRowCell(position);
    const size_t row = Row(rowCount_ - 1);
    switch (column.Kind) {
        case FieldKind::ftInteger: {
            if (text.empty()) {
                column.Set[row] = false;
                return;
            }
            if (const std::optional<int32_t> value = ParseIntegerText(text)) {
                column.Integers[row] = *value;
                break;
            }
            // Spreadsheets and databases write unsigned 32-bit values as they are, and a
            // number cell with decimals as "5.00".
            if (const std::optional<int64_t> wide = WideDecimal(text)) {
                SetInteger(position, *wide);  // or fails past 32 bits
                return;
            }
            const std::optional<double> number = ParseFloatText(text);
            const std::optional<int32_t> whole = number ? WholeNumber(*number) : std::nullopt;
            if (!whole) {
                ThrowNotIntegerForField(text, column.Name);
            }
            column.Integers[row] = *whole;
            break;
        }
        case FieldKind::ftFloat: {
            if (text.empty()) {
                column.Set[row] = false;
                return;
            }
            const std::optional<double> value = ParseFloatText(text);
            if (!value) {
                ThrowNotFloatForField(text, column.Name);
            }
            RequireFloatRange(*value, text, column.Name);
            column.Floats[row] = FloatWrittenAs(*value, text);
            break;
        }
        case FieldKind::ftString:
            RequireTextWithoutNul(text, column.Name);
            PutText(column, row, text);
            break;
    }
    column.Set[row] = true;
}

// Texts are only ever appended: a cell set a second time points to its new copy.
void ImportRows::PutText(Column& column, size_t row, std::string_view text) {
    column.TextStarts[row] = static_cast<uint64_t>(column.Texts.size());
    column.TextSizes[row] = static_cast<uint32_t>(text.size());
    column.Texts.append(text);
}

}  // namespace kelvane

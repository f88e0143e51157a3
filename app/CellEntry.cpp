#include "app/CellEntry.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/base/CellTextErrors.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/ValueText.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/undo/TableBatch.h"

namespace kelvane {
namespace {

int WidestRow(const CellTexts& rows) {
    size_t widest = 0;
    for (const auto& row : rows) {
        widest = std::max(widest, row.size());
    }
    return static_cast<int>(widest);
}

// The record a message names, numbered as the status bar numbers it: from 1, in table order.
// Records the entry adds are counted apart, as they have no place yet.
std::string RecordName(const RecordTable& table, const std::vector<RecordId>& records,
                       size_t blockRow) {
    if (blockRow >= records.size()) {
        return "New record " + std::to_string(blockRow - records.size() + 1);
    }
    return "Record " + std::to_string(table.RowOfRecord(records[blockRow]) + 1);
}

void CheckBlock(const RecordTable& table, const std::vector<RecordId>& records, int firstColumn,
                const CellTexts& rows) {
    if (firstColumn < 0 || firstColumn >= table.FieldCount()) {
        throw KelvaneError("There is no such column to enter the text into.");
    }
    const int width = WidestRow(rows);
    if (firstColumn + width > table.FieldCount()) {
        throw KelvaneError(
            "The text is " + std::to_string(width) + " columns wide, but from '" +
            EchoText(table.Presentation(firstColumn).Caption) + "' on the table has " +
            std::to_string(table.FieldCount() - firstColumn) + ". Nothing was changed.");
    }
    for (const RecordId record : records) {
        if (table.RowOfRecord(record) < 0) {
            throw KelvaneError("A record to change is gone. Nothing was changed.");
        }
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t i = 0; i < rows[row].size(); ++i) {
            const int column = firstColumn + static_cast<int>(i);
            try {
                CheckCellEntry(table, column, rows[row][i]);
            } catch (const KelvaneError& refusal) {
                throw KelvaneError(RecordName(table, records, row) + ", column '" +
                                   EchoText(table.Presentation(column).Caption) +
                                   "': " + refusal.what() + ". Nothing was changed.");
            }
        }
    }
}

}  // namespace

void CheckCellEntry(const RecordTable& table, int column, std::string_view text) {
    const ColumnPresentation& presentation = table.Presentation(column);
    for (const char c : text) {
        if (!presentation.ValidChars.Allows(c)) {
            throw KelvaneError("'" + EchoText(std::string_view(&c, 1)) +
                               "' may not be typed into this column");
        }
    }
    if (presentation.HexHooks) {
        ParseHexEntry(text);
        return;
    }
    if (text.empty()) {
        // Blanks a number and empties a text, but a record cannot be stored without its Index.
        if (column == 0) {
            throw KelvaneError("a record needs a value here");
        }
        return;
    }
    switch (table.ColumnKind(column)) {
        case FieldKind::ftInteger:
            TextToInteger(text);
            return;
        case FieldKind::ftFloat: {
            const std::optional<double> value = ParseFloatText(text);
            if (!value) {
                ThrowNotFloatForField(text, "");
            }
            RequireFloatRange(*value, text, "");
            return;
        }
        case FieldKind::ftString:
            RequireTextWithoutNul(text, "");
            return;
    }
}

CellEntryOutcome EnterCells(RecordTable& table, const std::vector<RecordId>& records,
                            int firstColumn, const CellTexts& rows, std::string_view stepName,
                            const WorkProgress& progress) {
    table.RequireActive();
    table.FinishEditing();
    CheckBlock(table, records, firstColumn, rows);
    CellEntryOutcome outcome{static_cast<int>(rows.size()), WidestRow(rows), 0};
    if (rows.empty()) {
        return outcome;
    }
    const auto total = static_cast<int64_t>(rows.size());
    RecordId first;
    RunAsOneBatch(table, stepName, rows.size(), [&] {
        for (size_t row = 0; row < rows.size(); ++row) {
            ReportProgress(progress, static_cast<int64_t>(row), total);
            if (row < records.size()) {
                table.MoveTo(table.RowOfRecord(records[row]));
                table.Edit();
            } else {
                table.Append();
                ++outcome.AddedRecords;
            }
            for (size_t i = 0; i < rows[row].size(); ++i) {
                table.Fields(firstColumn + static_cast<int>(i)).SetDisplayText(rows[row][i]);
            }
            table.Post();
            if (row == 0) {
                first = table.RecordIdAt(table.CurrentRow());
            }
        }
        table.MoveTo(table.RowOfRecord(first));
    });
    return outcome;
}

}  // namespace kelvane

#include <bit>
#include <cstdint>
#include <string>

#include "core/RecordTable.h"
#include "core/UndoStep.h"
#include "core/ValueText.h"
#include "exchange/ImportRows.h"
#include "exchange/PatchKeyIndex.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;

int KeyPosition(const ImportRows& rows) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        if (rows.TableColumn(position) == kKeyColumn) {
            return position;
        }
    }
    return -1;  // ImportRows refuses columns without the key
}

// The key as the key column's cell text reads, which is what the key index looks up.
std::string KeyText(const ImportRows& rows, int row, int position) {
    if (rows.IsBlank(row, position)) {
        return {};
    }
    switch (rows.Kind(position)) {
        case FieldKind::ftInteger:
            return IntegerText(rows.IntegerAt(row, position));
        case FieldKind::ftFloat:
            return FloatText(rows.FloatAt(row, position));
        case FieldKind::ftString:
            break;
    }
    return std::string(rows.TextAt(row, position));
}

bool CellDiffers(const RecordTable& table, int tableRow, const ImportRows& rows, int row,
                 int position) {
    const int column = rows.TableColumn(position);
    const bool blank = rows.IsBlank(row, position);
    if (table.IsBlank(tableRow, column) || blank) {
        return table.IsBlank(tableRow, column) != blank;
    }
    switch (rows.Kind(position)) {
        case FieldKind::ftInteger:
            return table.IntegerAt(tableRow, column) != rows.IntegerAt(row, position);
        case FieldKind::ftFloat:
            // Bit for bit, as a saved file would differ.
            return std::bit_cast<uint64_t>(table.FloatAt(tableRow, column)) !=
                   std::bit_cast<uint64_t>(rows.FloatAt(row, position));
        case FieldKind::ftString:
            break;
    }
    return table.StringAt(tableRow, column) != rows.TextAt(row, position);
}

bool RecordDiffers(const RecordTable& table, int tableRow, const ImportRows& rows, int row) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        if (CellDiffers(table, tableRow, rows, row, position)) {
            return true;
        }
    }
    return false;
}

// Sets the current record's cells from a row; the values were read in the columns' kinds.
void AssignRow(RecordTable& table, const ImportRows& rows, int row) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        Field field = table.Fields(rows.TableColumn(position));
        if (rows.IsBlank(row, position)) {
            field.Clear();
            continue;
        }
        switch (rows.Kind(position)) {
            case FieldKind::ftInteger:
                field.SetAsInteger(rows.IntegerAt(row, position));
                break;
            case FieldKind::ftFloat:
                field.SetAsFloat(rows.FloatAt(row, position));
                break;
            case FieldKind::ftString:
                field.SetAsString(rows.TextAt(row, position));
                break;
        }
    }
}

}  // namespace

ImportMergeReport MergeImportRows(RecordTable& table, const ImportRows& rows,
                                  std::string_view stepName) {
    table.RequireActive();
    table.FinishEditing();
    const UndoStep step(table, stepName);
    const int keyPosition = KeyPosition(rows);
    PatchKeyIndex index(table);
    ImportMergeReport report;
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::string key = KeyText(rows, row, keyPosition);
        if (const std::optional<int> found = index.FindRow(key)) {
            if (!RecordDiffers(table, *found, rows, row)) {
                ++report.RecordsUnchanged;
                continue;
            }
            table.MoveTo(*found);
            table.Edit();
            AssignRow(table, rows, row);
            table.Post();
            index.NoteEdited(key, *found);
            ++report.RecordsChanged;
        } else {
            table.Last();
            table.Insert();
            AssignRow(table, rows, row);
            table.Post();
            index.NoteAdded();
            ++report.RecordsAdded;
        }
    }
    return report;
}

}  // namespace kelvane

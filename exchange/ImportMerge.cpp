#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/ColumnStore.h"
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

// Whether the record stored in slot holds another value than the row in one column. The table
// is browsing, so its cells are read straight from column storage.
bool CellDiffers(const RecordTable& table, const ColumnStore& stored, uint32_t slot,
                 const ImportRows& rows, int row, int position) {
    const bool blank = rows.IsBlank(row, position);
    if (stored.IsBlank(slot) || blank) {
        return stored.IsBlank(slot) != blank;
    }
    switch (rows.Kind(position)) {
        case FieldKind::ftInteger:
            return stored.Integers[slot] != rows.IntegerAt(row, position);
        case FieldKind::ftFloat:
            // Bit for bit, as a saved file would differ.
            return std::bit_cast<uint64_t>(stored.Floats[slot]) !=
                   std::bit_cast<uint64_t>(rows.FloatAt(row, position));
        case FieldKind::ftString:
            break;
    }
    return table.Strings().View(stored.Strings[slot]) != rows.TextAt(row, position);
}

bool RecordDiffers(const RecordTable& table, uint32_t slot, const ImportRows& rows, int row) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        const ColumnStore& stored = table.ColumnStoreAt(rows.TableColumn(position));
        if (CellDiffers(table, stored, slot, rows, row, position)) {
            return true;
        }
    }
    return false;
}

// What a row will do, found before the table changes. A row whose key an earlier row of the
// source has too is decided in its turn, as that row may have changed or added its record.
enum class RowFate : uint8_t { Unchanged, Changes, Adds, DecidedInTurn };

struct RowPlan {
    std::vector<RowFate> Fates;
    std::vector<std::string> Keys;  // each row's key as the key index reads it
};

RowPlan PlanRows(const RecordTable& table, const ImportRows& rows, PatchKeyIndex& index,
                 int keyPosition) {
    const auto count = static_cast<size_t>(rows.RowCount());
    RowPlan plan;
    std::vector<RowFate>& fates = plan.Fates;
    fates.assign(count, RowFate::Adds);
    plan.Keys.reserve(count);
    std::vector<uint32_t> slots(count, 0);
    std::unordered_set<std::string_view> seen;
    seen.reserve(count);
    for (size_t row = 0; row < count; ++row) {
        const std::string& key =
            plan.Keys.emplace_back(KeyText(rows, static_cast<int>(row), keyPosition));
        if (const std::optional<int> found = index.FindRow(key)) {
            fates[row] = RowFate::Unchanged;
            slots[row] = table.RecordSlots()[static_cast<size_t>(*found)];
        }
        if (!seen.insert(key).second) {
            fates[row] = RowFate::DecidedInTurn;
        }
    }
    // Column by column: the cells of one column lie side by side in both tables' storage.
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        const ColumnStore& stored = table.ColumnStoreAt(rows.TableColumn(position));
        for (size_t row = 0; row < count; ++row) {
            if (fates[row] == RowFate::Unchanged &&
                CellDiffers(table, stored, slots[row], rows, static_cast<int>(row), position)) {
                fates[row] = RowFate::Changes;
            }
        }
    }
    return plan;
}

// Sets the cells of the current record from a row; the values were read in the columns' kinds.
void AssignCell(RecordTable& table, const ImportRows& rows, int row, int position) {
    Field field = table.Fields(rows.TableColumn(position));
    if (rows.IsBlank(row, position)) {
        field.Clear();
        return;
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

void AssignNewRecord(RecordTable& table, const ImportRows& rows, int row) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        AssignCell(table, rows, row, position);
    }
}

// Only the cells that differ are set, so an import that changes one cell of many records costs
// little more than a patch of those cells. The record was just put in editing: its stored cells
// are still those in slot.
void AssignChangedCells(RecordTable& table, uint32_t slot, const ImportRows& rows, int row) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        const ColumnStore& stored = table.ColumnStoreAt(rows.TableColumn(position));
        if (CellDiffers(table, stored, slot, rows, row, position)) {
            AssignCell(table, rows, row, position);
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
    const RowPlan plan = PlanRows(table, rows, index, keyPosition);
    ImportMergeReport report;
    for (int row = 0; row < rows.RowCount(); ++row) {
        const RowFate fate = plan.Fates[static_cast<size_t>(row)];
        if (fate == RowFate::Unchanged) {
            ++report.RecordsUnchanged;
            continue;
        }
        const std::string& key = plan.Keys[static_cast<size_t>(row)];
        const std::optional<int> found = fate == RowFate::Adds ? std::nullopt : index.FindRow(key);
        if (found) {
            if (fate == RowFate::DecidedInTurn &&
                !RecordDiffers(table, table.RecordSlots()[static_cast<size_t>(*found)], rows,
                               row)) {
                ++report.RecordsUnchanged;
                continue;
            }
            table.MoveTo(*found);
            table.Edit();
            AssignChangedCells(table, table.RecordSlots()[static_cast<size_t>(*found)], rows, row);
            table.Post();
            index.NoteEdited(key, *found);
            ++report.RecordsChanged;
        } else {
            table.Last();
            table.Insert();
            AssignNewRecord(table, rows, row);
            table.Post();
            index.NoteAdded();
            ++report.RecordsAdded;
        }
    }
    return report;
}

}  // namespace kelvane

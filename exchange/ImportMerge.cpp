#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/ColumnStore.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/undo/TableBatch.h"
#include "exchange/ImportKeyCheck.h"
#include "exchange/ImportRows.h"
#include "exchange/PatchKeyIndex.h"

namespace kelvane {
namespace {

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

// What a row will do, found before the table changes.
enum class RowFate : uint8_t { Unchanged, Changes, Adds };

// Column by column: the cells of one column lie side by side in both tables' storage. slots
// holds the record each row goes to, for the rows whose fate is Unchanged so far.
void FindChangedRows(const RecordTable& table, const ImportRows& rows,
                     const std::vector<uint32_t>& slots, std::vector<RowFate>& fates) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        const ColumnStore& stored = table.ColumnStoreAt(rows.TableColumn(position));
        for (size_t row = 0; row < fates.size(); ++row) {
            if (fates[row] == RowFate::Unchanged &&
                CellDiffers(table, stored, slots[row], rows, static_cast<int>(row), position)) {
                fates[row] = RowFate::Changes;
            }
        }
    }
}

// By key: a row whose key no record has adds one. The keys stand on one row and one record
// each, so no row can meet what another wrote.
std::vector<RowFate> PlanByKey(const RecordTable& table, const ImportRows& rows,
                               PatchKeyIndex& index, const std::vector<std::string>& keys) {
    std::vector<RowFate> fates(keys.size(), RowFate::Adds);
    std::vector<uint32_t> slots(keys.size(), 0);
    for (size_t row = 0; row < keys.size(); ++row) {
        if (const std::optional<int> found = index.FindRow(keys[row])) {
            fates[row] = RowFate::Unchanged;
            slots[row] = table.RecordSlots()[static_cast<size_t>(*found)];
        }
    }
    FindChangedRows(table, rows, slots, fates);
    return fates;
}

// By position: row N goes to record N, the rows past the last record add one each.
std::vector<RowFate> PlanByPosition(const RecordTable& table, const ImportRows& rows) {
    const auto count = static_cast<size_t>(rows.RowCount());
    const std::vector<uint32_t>& records = table.RecordSlots();
    std::vector<RowFate> fates(count, RowFate::Adds);
    std::vector<uint32_t> slots(count, 0);
    for (size_t row = 0; row < count && row < records.size(); ++row) {
        fates[row] = RowFate::Unchanged;
        slots[row] = records[row];
    }
    FindChangedRows(table, rows, slots, fates);
    return fates;
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

void AddRecord(RecordTable& table, const ImportRows& rows, int row) {
    table.Last();
    table.Insert();
    AssignNewRecord(table, rows, row);
    table.Post();
}

void ChangeRecord(RecordTable& table, int record, const ImportRows& rows, int row) {
    table.MoveTo(record);
    table.Edit();
    AssignChangedCells(table, table.RecordSlots()[static_cast<size_t>(record)], rows, row);
    table.Post();
}

// Rows are written in their order; recordOf gives the table row of a row that changes one.
template <typename RecordOf>
ImportMergeReport WriteRows(RecordTable& table, const ImportRows& rows,
                            const std::vector<RowFate>& fates, RecordOf recordOf,
                            const WorkProgress& progress) {
    ImportMergeReport report;
    for (int row = 0; row < rows.RowCount(); ++row) {
        ReportProgress(progress, row, rows.RowCount());
        switch (fates[static_cast<size_t>(row)]) {
            case RowFate::Unchanged:
                ++report.RecordsUnchanged;
                break;
            case RowFate::Changes:
                ChangeRecord(table, recordOf(row), rows, row);
                ++report.RecordsChanged;
                break;
            case RowFate::Adds:
                AddRecord(table, rows, row);
                ++report.RecordsAdded;
                break;
        }
    }
    return report;
}

// Only the rows that change or add a record count for the batch.
size_t RowsWritten(const std::vector<RowFate>& fates) {
    return static_cast<size_t>(std::count_if(
        fates.begin(), fates.end(), [](RowFate fate) { return fate != RowFate::Unchanged; }));
}

}  // namespace

ImportMergeReport MergeImportRows(RecordTable& table, const ImportRows& rows,
                                  std::string_view stepName, ImportMatch match,
                                  const WorkProgress& progress) {
    table.RequireActive();
    table.FinishEditing();
    RequireRowKeys(table, rows);
    if (match == ImportMatch::ByPosition) {
        // An edit keeps Index and with it the order, and the added rows come last.
        const std::vector<RowFate> fates = PlanByPosition(table, rows);
        return RunAsOneBatch(table, stepName, RowsWritten(fates), [&] {
            return WriteRows(
                table, rows, fates, [](int row) { return row; }, progress);
        });
    }
    const std::vector<std::string> keys = RowKeyTexts(rows);
    PatchKeyIndex index(table);
    RequireKeysMatchOnce(table, rows, keys, index);
    const std::vector<RowFate> fates = PlanByKey(table, rows, index, keys);
    // A record added before may have gone in before the one a later row changes, so each is
    // looked up when its turn comes; the index finds records by slot, which adding keeps.
    return RunAsOneBatch(table, stepName, RowsWritten(fates), [&] {
        return WriteRows(
            table, rows, fates,
            [&](int row) { return *index.FindRow(keys[static_cast<size_t>(row)]); }, progress);
    });
}

}  // namespace kelvane

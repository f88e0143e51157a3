#include "talents/TalentRecords.h"

#include "core/table/Field.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoStep.h"
#include "talents/WorkingTable.h"

namespace kelvane {
namespace {

constexpr int kIdColumn = 1;

// Sets the current record's columns 1 to the last from the row; an empty cell leaves a
// numeric column empty, which is saved as 0.
void SetRecordFromRow(RecordTable& table, const WorkingTable& rows, int row) {
    for (int column = 1; column < table.FieldCount(); ++column) {
        table.Fields(column).SetAsString(rows.Cell(column, row));
    }
}

}  // namespace

void ScanRecords(RecordTable& table, const std::function<void()>& visit) {
    NotificationSuspension suspension(table);
    for (table.First(); !table.Eof(); table.Next()) {
        visit();
    }
}

void CopyCurrentRecord(RecordTable& table, WorkingTable& rows) {
    const int row = rows.AddRow();
    for (int column = 1; column < table.FieldCount(); ++column) {
        rows.SetCell(column, row, table.Fields(column).AsString());
    }
}

void WriteRowsBack(RecordTable& table, const WorkingTable& rows, int requiredColumn) {
    const UndoStep step(table, "Write Talents");
    NotificationSuspension suspension(table);
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::string& key = rows.Cell(kIdColumn, row);
        bool matched = false;
        for (table.First(); !table.Eof(); table.Next()) {
            if (table.Fields(kIdColumn).AsString() == key) {
                table.Edit();
                SetRecordFromRow(table, rows, row);
                matched = true;
            }
        }
        if (!matched && !rows.Cell(requiredColumn, row).empty()) {
            table.Last();
            table.Insert();
            SetRecordFromRow(table, rows, row);
        }
    }
}

void DeleteRecordsWithId(RecordTable& table, const std::string& key) {
    const UndoStep step(table, "Delete Talents");
    NotificationSuspension suspension(table);
    int row = 0;
    while (row < table.RecordCount()) {
        table.MoveTo(row);
        if (table.Fields(kIdColumn).AsString() == key) {
            table.Delete();  // the next record moves up to this row
        } else {
            ++row;
        }
    }
}

}  // namespace kelvane

// The record table's side of undo: saving cells for the journal and putting them back.

#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
#include "core/table/RecordTableJournal.h"

namespace kelvane {

void RecordTable::SaveStoredCell(uint32_t slot, size_t column, SavedCells& saved) const {
    const ColumnStore& store = stores_[column];
    const int at = static_cast<int>(column);
    if (store.IsBlank(slot)) {
        saved.AddBlank(at);
        return;
    }
    switch (store.Kind) {
        case FieldKind::ftString: {
            const StringPool::Ref ref = store.Strings[slot];
            saved.AddText(at, ref, strings_.View(ref));
            return;
        }
        case FieldKind::ftFloat:
            saved.AddFloat(at, store.Floats[slot]);
            return;
        case FieldKind::ftInteger:
            break;
    }
    saved.AddInteger(at, store.Integers[slot]);
}

SavedCells RecordTable::SaveStoredRecord(uint32_t slot) const {
    SavedCells saved;
    for (size_t column = 0; column < columns_.size(); ++column) {
        SaveStoredCell(slot, column, saved);
    }
    return saved;
}

void RecordTable::PutSavedCells(const SavedCells& cells) {
    for (size_t i = 0; i < cells.Size(); ++i) {
        const SavedCells::Cell saved = cells.At(i);
        RequireColumn(saved.Column);
        EditCell& cell = BufferedCellOf(Col(saved.Column));
        cell = EditCell{};
        switch (saved.What) {
            case SavedCells::Kind::Blank:
                cell.Blank = true;
                break;
            case SavedCells::Kind::Integer:
                cell.Integer = saved.Integer;
                break;
            case SavedCells::Kind::Float:
                cell.Float = saved.Float;
                break;
            case SavedCells::Kind::BlockText:
                cell.Text = strings_.View(saved.BlockText);
                cell.KeepsBlockText = true;
                cell.BlockText = saved.BlockText;
                break;
            case SavedCells::Kind::OwnedText:
                cell.Text = saved.OwnedText;
                break;
        }
    }
    modified_ = true;
}

namespace {

int RequireRecord(const RecordTable& table, RecordId record) {
    const int row = table.RowOfRecord(record);
    if (row < 0) {
        throw KelvaneError("The record to restore is no longer in the table");
    }
    return row;
}

}  // namespace

// Through the cursor like any edit, so the record is placed by its Index, the views hear of it
// and the journal hears what the restore itself changed.
void RecordTable::RestoreCells(RecordId record, const SavedCells& cells) {
    RequireActive();
    FinishEditing();
    MoveTo(RequireRecord(*this, record));
    Edit();
    PutSavedCells(cells);
    Post();
}

RecordId RecordTable::RestoreRecord(int row, const SavedCells& cells) {
    RequireActive();
    FinishEditing();
    if (row < RecordCount()) {
        MoveTo(row);
        Insert();
    } else {
        Append();
    }
    PutSavedCells(cells);
    const RecordId record = RecordIdAt(current_);
    Post();
    return record;
}

void RecordTable::RemoveRecord(RecordId record) {
    RequireActive();
    FinishEditing();
    MoveTo(RequireRecord(*this, record));
    Delete();
}

}  // namespace kelvane

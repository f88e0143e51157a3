#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/table/CellValue.h"
#include "core/table/CellsChange.h"
#include "core/table/ColumnStore.h"
#include "core/table/FieldKind.h"
#include "core/table/LoadedRows.h"
#include "core/table/RecordId.h"
#include "core/table/SavedCells.h"
#include "core/table/StringPool.h"
#include "core/table/TableRecords.h"
#include "core/table/TableState.h"

namespace kelvane {

class Field;
class RecordTableJournal;
class RecordTableListener;
struct ColumnPresentation;

// The one in-memory table: column 0 is the required integer column Index, records stay in
// ascending order of Index, and a cursor with a browse / edit / insert state works on it the
// way the editor's commands and importers expect. Its listeners hear of every change as it
// happens (see RecordTableListener).
class RecordTable {
  public:
    RecordTable();
    ~RecordTable();
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

    // ---- Column definitions and lifetime -----------------------------------------------
    void ClearFieldDefs();
    // Fails with "A component named %s already exists" or "Field name missing".
    void AddFieldDef(const std::string& name, FieldKind kind, bool required);
    int FieldDefCount() const { return static_cast<int>(defs_.size()); }
    const ColumnDef& FieldDefAt(int index) const { return defs_.at(static_cast<size_t>(index)); }
    // Builds an empty, open table from the definitions.
    void OpenEmpty();
    // Drops the records and hides the columns until the next OpenEmpty.
    void Close();
    bool Active() const { return active_; }
    // Fails with "Cannot perform this operation on a closed dataset" unless the table is open.
    void RequireActive() const;

    // ---- Records as a whole ------------------------------------------------------------
    void DeleteAllRecords();
    // Replaces the (empty) records of the open table with loaded columns.
    void AdoptLoadedRows(LoadedRows rows);
    // Records in the table, not counting one being inserted.
    int RecordCount() const { return static_cast<int>(order_.size()); }
    bool IsEmpty() const { return order_.empty(); }

    // ---- Cursor: every move first posts a changed record or cancels an unchanged one ----
    void First();
    void Next();
    void Prior();
    void Last();
    void MoveTo(int row);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // The current view row, or -1 when there is none.
    int CurrentRow() const { return current_; }
    TableState State() const { return state_; }
    bool Modified() const { return modified_; }

    // ---- Editing the current record ----------------------------------------------------
    void Append();  // a new record at the end, placed by its Index when posted
    void Insert();  // a new record at the cursor, placed by its Index when posted
    void Edit();
    void Post();
    void Cancel();
    void Delete();  // the current record, without asking
    // Ends editing or inserting as moving away does, without moving: posts a changed record and
    // cancels an unchanged one.
    void FinishEditing();

    // ---- Fields of the current record --------------------------------------------------
    int FieldCount() const { return active_ ? static_cast<int>(columns_.size()) : 0; }
    Field Fields(int column);
    // Fails with "Field '%s' not found".
    Field FieldByName(std::string_view name);
    // The first column with that name, compared without case; -1 when there is none.
    int FindColumn(std::string_view name) const;
    const std::string& ColumnName(int column) const { return defs_[Col(column)].Name; }
    // Whether any field column holds strings: without one, saving writes no texts at all.
    bool HasStringField() const;
    FieldKind ColumnKind(int column) const { return defs_[Col(column)].Kind; }

    // ---- Cells by view row: the records in order, plus a record being inserted ---------
    int RowCount() const { return RecordCount() + (state_ == TableState::Insert ? 1 : 0); }
    bool IsBlank(int row, int column) const;
    int32_t IntegerAt(int row, int column) const;
    double FloatAt(int row, int column) const;
    std::string_view StringAt(int row, int column) const;
    // The AsString text of a cell; "" for a blank.
    std::string CellText(int row, int column) const;
    // The text the grid shows and edits: upper-case hexadecimal for hex columns.
    std::string DisplayText(int row, int column) const;

    // ---- Records by identity -------------------------------------------------------------
    // The record shown at a view row; no record for a row out of range.
    RecordId RecordIdAt(int row) const;
    // The view row of a record; -1 once it is deleted (or the table emptied, closed, loaded).
    int RowOfRecord(RecordId id) const;

    // ---- History: the journal hears every stored change; the restore functions take a change
    // back as the journal heard it, and are heard in turn ------------------------------------
    void SetJournal(RecordTableJournal* journal) { journal_ = journal; }
    RecordTableJournal* Journal() const { return journal_; }
    // Puts saved cells back into a stored record, which may move by its Index.
    void RestoreCells(RecordId record, const SavedCells& cells);
    // Stores a record from all its saved cells at row, or as near as its Index allows, and
    // returns its identity, a new one.
    RecordId RestoreRecord(int row, const SavedCells& cells);
    // Removes a stored record, as Delete does on its row.
    void RemoveRecord(RecordId record);
    // Puts back the records DeleteAllRecords took out; the table must have none.
    void RestoreAllRecords(TableRecords records);

    // ---- Storage, for passes over the whole table (the DBC writer) ---------------------
    // Valid while browsing and until the next change: the storage slot of every record in
    // table order, each column's cells by slot, and the texts its string cells refer to.
    const std::vector<uint32_t>& RecordSlots() const { return order_; }
    const ColumnStore& ColumnStoreAt(int column) const { return stores_.at(Col(column)); }
    const StringPool& Strings() const { return strings_; }

    // ---- Grid presentation of each column ----------------------------------------------
    ColumnPresentation& Presentation(int column);
    const ColumnPresentation& Presentation(int column) const;

    // ---- Suspension and listeners ------------------------------------------------------
    void SuspendNotifications() { ++disableCount_; }
    void ResumeNotifications();
    bool NotificationsSuspended() const { return disableCount_ > 0; }
    void AddListener(RecordTableListener* listener);
    void RemoveListener(RecordTableListener* listener);

  private:
    friend class Field;
    using CellChanges = std::vector<CellsChange::Cell>;

    // A cell set on the record being edited. Only the member of the column's kind counts.
    struct EditCell {
        bool Blank = false;
        int32_t Integer = 0;
        double Float = 0;
        std::string Text;
        // Set when the text is put back from the loaded file's string block: the cell then
        // gets that very reference, so saving writes the file's bytes again.
        bool KeepsBlockText = false;
        StringPool::Ref BlockText = 0;
    };
    struct BufferedCell {
        size_t Column = 0;
        EditCell Cell;
    };

    static size_t Col(int column) { return static_cast<size_t>(column); }
    void RequireColumn(int column) const;
    // Drops columns and records without telling anyone.
    void Discard();
    void BeginNewRecord(int viewRow);
    // Stores the record being posted and puts it at newRow among the records; with `before` or
    // `saved`, notes each cell whose stored value changes, with that value.
    void StorePosted(int newRow, CellChanges* before, SavedCells* saved);
    // Ends editing or inserting without storing anything.
    void DropBuffer();
    // The cell set on the record being edited, added unset when it has none yet.
    EditCell& BufferedCellOf(size_t column);
    // Puts the set cells in column order, the order in which changes are told.
    void SortBuffer();
    // The slot of the record being edited or inserted.
    uint32_t EditedSlot() const;
    bool IsBufferRow(int row) const;
    uint32_t SlotOfRow(int row) const;
    const EditCell* BufferCell(int row, int column) const;
    CellValue ValueOf(const EditCell& cell, size_t column) const;
    CellValue StoredValue(uint32_t slot, size_t column) const;
    bool IsStored(uint32_t slot, size_t column, const EditCell& cell) const;
    // The row among the records, not counting the one at movingRow (-1: none), where a record
    // with this Index goes: within the run of equal Index values, as near preferredRow as that
    // run allows.
    int PlaceOf(int32_t index, int preferredRow, int movingRow) const;
    // Whether the record at row, given this Index, still stands in order where it is.
    bool FitsBetweenNeighbours(int row, int32_t index) const;
    // A storage slot with a new record's serial, holding the new-record defaults.
    uint32_t TakeSlot();
    // Grows every column together by a share of the slots, so adding records one by one
    // resizes the columns rarely.
    void GrowStores(size_t slots);
    // Writes the record being edited into its slot; with `before` or `saved`, notes each cell
    // whose stored value changes, with that value.
    void StoreBuffer(uint32_t slot, CellChanges* before, SavedCells* saved);
    void SaveStoredCell(uint32_t slot, size_t column, SavedCells& saved) const;
    SavedCells SaveStoredRecord(uint32_t slot) const;
    // Fills the record being edited or inserted from saved cells.
    void PutSavedCells(const SavedCells& cells);
    void FreeSlot(uint32_t slot);

    // Fails with "Dataset not in edit or insert mode" unless a record is edited or inserted.
    void RequireEditing() const;
    // Changes a cell of the record being edited and marks the record changed: fill writes the
    // new value into a cleared cell. Fill must not fail.
    template <typename Fill>
    void SetCurrentCell(int column, const Fill& fill);
    // The same with the change told to the listeners.
    void SetReportedCell(int column, EditCell cell);
    // Marks the record changed after a cell was set with nobody listening one by one.
    void NoteUnreportedChange();

    // Whether anyone hears changes one by one now, so that their details are worth working out.
    bool Reporting() const { return !listeners_.empty() && !NotificationsSuspended(); }
    // Calls every listener, or while suspended announces the reset the suspension ends with.
    template <typename Call>
    void Tell(const Call& call);
    void OweReset();
    void AnnounceReset();
    void ReportReset();
    void ReportCells(CellsChange::Kind what, int row, CellChanges cells);
    // Tells the cursor's row and state when they differ from what was last told.
    void ReportCursor();

    std::vector<ColumnDef> defs_;
    std::unordered_set<std::string> upperDefNames_;  // keeps AddFieldDef linear for 2000 columns
    std::vector<ColumnDef> columns_;  // the definitions the open table was created with
    // The first column of each upper-cased name: importers look a column up per value.
    std::unordered_map<std::string, int> columnOfUpperName_;
    std::vector<ColumnPresentation> presentation_;
    bool active_ = false;

    StringPool strings_;
    std::vector<ColumnStore> stores_;
    std::vector<uint32_t> order_;      // storage slots in table order
    std::vector<uint32_t> freeSlots_;  // slots of deleted or cancelled records
    // Per slot in use, the serial of the record held there (0: none); with the slot it makes
    // the record's id. Serials only grow, so an id is never given again. The columns may hold
    // more slots than this, grown ahead.
    std::vector<uint64_t> serials_;
    uint64_t nextSerial_ = 1;

    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    TableState state_ = TableState::Browse;
    bool modified_ = false;
    // The cells set on the current record while it is edited or inserted; the others are read
    // from its slot, so editing a few cells of a wide record copies only those.
    std::vector<BufferedCell> buffer_;
    std::vector<int> bufferAt_;  // per column, where its cell is in buffer_ (-1: not set)
    uint32_t newSlot_ = 0;       // the slot of the record being inserted

    // The cursor as the listeners last heard of it.
    int reportedRow_ = -1;
    TableState reportedState_ = TableState::Browse;
    int disableCount_ = 0;
    bool resetOwed_ = false;
    std::vector<RecordTableListener*> listeners_;
    RecordTableJournal* journal_ = nullptr;
};

template <typename Fill>
void RecordTable::SetCurrentCell(int column, const Fill& fill) {
    RequireEditing();
    if (Reporting()) {
        EditCell cell;
        fill(cell);
        SetReportedCell(column, std::move(cell));
        return;
    }
    // Imports and patches assign cell after cell with nobody listening one by one: the value
    // goes straight into the set cell, cleared as a new one would be but keeping its text's room.
    EditCell& cell = BufferedCellOf(Col(column));
    cell.Blank = false;
    cell.Integer = 0;
    cell.Float = 0;
    cell.Text.clear();
    cell.KeepsBlockText = false;
    fill(cell);
    NoteUnreportedChange();
}

}  // namespace kelvane

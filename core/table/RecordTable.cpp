#include "core/table/RecordTable.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <utility>

#include "core/base/DecimalSeparator.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTableJournal.h"
#include "core/table/RecordTableListener.h"

namespace kelvane {
namespace {

constexpr int kIndexColumn = 0;

ColumnPresentation DefaultPresentation(const ColumnDef& def) {
    ColumnPresentation presentation;
    presentation.Caption = def.Name;
    switch (def.Kind) {
        case FieldKind::ftString:
            presentation.Alignment = ColumnAlignment::Left;
            break;
        case FieldKind::ftFloat:
            presentation.ValidChars =
                CharSet::Of(std::string("0123456789+-Ee") + DecimalSeparator());
            break;
        case FieldKind::ftInteger:
            presentation.ValidChars = CharSet::Of("0123456789+-");
            break;
    }
    return presentation;
}

}  // namespace

RecordTable::RecordTable() = default;
RecordTable::~RecordTable() = default;

// ---- Column definitions and lifetime ------------------------------------------------------

void RecordTable::ClearFieldDefs() {
    defs_.clear();
    upperDefNames_.clear();
}

void RecordTable::AddFieldDef(const std::string& name, FieldKind kind, bool required) {
    if (name.empty()) {
        throw KelvaneError("Field name missing");
    }
    if (!upperDefNames_.insert(UpperCase(name)).second) {
        throw KelvaneError("A component named " + EchoText(name) + " already exists");
    }
    defs_.push_back(ColumnDef{name, kind, required});
}

void RecordTable::OpenEmpty() {
    AnnounceReset();
    Discard();
    columns_ = defs_;
    stores_.assign(columns_.size(), ColumnStore{});
    bufferAt_.assign(columns_.size(), -1);
    for (size_t column = 0; column < columns_.size(); ++column) {
        stores_[column].Kind = columns_[column].Kind;
        presentation_.push_back(DefaultPresentation(columns_[column]));
        columnOfUpperName_.emplace(UpperCase(columns_[column].Name), static_cast<int>(column));
    }
    active_ = true;
    if (journal_ != nullptr) {
        journal_->TableReplaced();
    }
    ReportReset();
}

void RecordTable::Close() {
    if (!active_) {
        return;  // a closed table holds nothing
    }
    AnnounceReset();
    Discard();
    if (journal_ != nullptr) {
        journal_->TableReplaced();
    }
    ReportReset();
}

void RecordTable::Discard() {
    active_ = false;
    DropBuffer();
    columns_.clear();
    columnOfUpperName_.clear();
    bufferAt_.clear();
    presentation_.clear();
    stores_.clear();
    strings_ = StringPool();
    order_.clear();
    freeSlots_.clear();
    serials_.clear();
    current_ = -1;
    eof_ = bof_ = true;
}

// ---- Records as a whole -------------------------------------------------------------------

void RecordTable::DeleteAllRecords() {
    RequireActive();
    const int rows = RowCount();
    if (rows > 0) {
        Tell([&](RecordTableListener& listener) { listener.RowsAboutToBeRemoved(0, rows); });
    }
    if (state_ == TableState::Insert) {
        FreeSlot(newSlot_);
    }
    DropBuffer();
    // The storage is handed over whole, so a history can give it back without a copy.
    TableRecords taken{std::move(stores_), std::move(strings_), std::move(order_),
                       std::move(freeSlots_), std::move(serials_)};
    stores_.assign(columns_.size(), ColumnStore{});
    for (size_t column = 0; column < columns_.size(); ++column) {
        stores_[column].Kind = columns_[column].Kind;
    }
    strings_ = StringPool();
    order_.clear();
    freeSlots_.clear();
    serials_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    if (rows > 0) {
        Tell([&](RecordTableListener& listener) { listener.RowsRemoved(0, rows); });
    }
    ReportCursor();
    if (journal_ != nullptr && taken.Count() > 0) {
        journal_->AllRecordsRemoved(std::move(taken));
    }
}

void RecordTable::RestoreAllRecords(TableRecords records) {
    RequireActive();
    FinishEditing();
    if (!IsEmpty() || records.Stores.size() != columns_.size()) {
        throw KelvaneError("The records to restore do not fit the table");
    }
    const int rows = records.Count();
    if (rows > 0) {
        Tell([&](RecordTableListener& listener) { listener.RowsAboutToBeInserted(0, rows); });
    }
    stores_ = std::move(records.Stores);
    strings_ = std::move(records.Strings);
    order_ = std::move(records.Order);
    freeSlots_ = std::move(records.FreeSlots);
    serials_ = std::move(records.Serials);
    current_ = rows > 0 ? 0 : -1;
    eof_ = bof_ = rows == 0;
    if (rows > 0) {
        Tell([&](RecordTableListener& listener) { listener.RowsInserted(0, rows); });
    }
    ReportCursor();
    if (journal_ != nullptr) {
        journal_->AllRecordsRestored();
    }
}

void RecordTable::AdoptLoadedRows(LoadedRows rows) {
    RequireActive();
    if (!order_.empty() || state_ != TableState::Browse || rows.Columns.size() != columns_.size()) {
        throw KelvaneError("Loaded rows do not fit the table");
    }
    AnnounceReset();
    const size_t rowCount = rows.Columns.empty() ? 0 : rows.Columns.front().Size();
    strings_ = std::move(rows.Strings);
    stores_ = std::move(rows.Columns);
    // Slots freed by records deleted or cancelled before the load are the loaded records' now.
    freeSlots_.clear();
    order_.resize(rowCount);
    std::iota(order_.begin(), order_.end(), uint32_t{0});
    serials_.resize(rowCount);
    std::iota(serials_.begin(), serials_.end(), nextSerial_);
    nextSerial_ += rowCount;
    current_ = order_.empty() ? -1 : 0;
    eof_ = bof_ = order_.empty();
    if (journal_ != nullptr) {
        journal_->TableReplaced();
    }
    ReportReset();
}

// ---- Cursor -------------------------------------------------------------------------------

void RecordTable::First() {
    RequireActive();
    FinishEditing();
    current_ = IsEmpty() ? -1 : 0;
    eof_ = IsEmpty();
    bof_ = true;
    ReportCursor();
}

void RecordTable::Last() {
    RequireActive();
    FinishEditing();
    current_ = RecordCount() - 1;
    eof_ = true;
    bof_ = IsEmpty();
    ReportCursor();
}

void RecordTable::Next() {
    RequireActive();
    FinishEditing();
    bof_ = false;
    if (current_ + 1 >= RecordCount()) {
        eof_ = true;
        return;
    }
    eof_ = false;
    ++current_;
    ReportCursor();
}

void RecordTable::Prior() {
    RequireActive();
    FinishEditing();
    eof_ = false;
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    bof_ = false;
    --current_;
    ReportCursor();
}

void RecordTable::MoveTo(int row) {
    RequireActive();
    if (row == current_ && state_ != TableState::Browse) {
        return;  // staying on the record being edited is no move
    }
    if (row < 0 || row >= RowCount()) {
        return;
    }
    if (state_ != TableState::Browse) {
        // Finishing the edit may move or remove rows: follow the record that was asked for.
        const RecordId target = RecordIdAt(row);
        FinishEditing();
        row = RowOfRecord(target);
    }
    current_ = row;
    eof_ = bof_ = false;
    ReportCursor();
}

void RecordTable::FinishEditing() {
    if (state_ == TableState::Browse) {
        return;
    }
    if (modified_) {
        Post();
    } else {
        Cancel();
    }
}

// ---- Editing ------------------------------------------------------------------------------

void RecordTable::Append() {
    RequireActive();
    FinishEditing();
    BeginNewRecord(RecordCount());
}

void RecordTable::Insert() {
    RequireActive();
    FinishEditing();
    BeginNewRecord(current_ < 0 ? 0 : current_);
}

void RecordTable::BeginNewRecord(int viewRow) {
    Tell([&](RecordTableListener& listener) { listener.RowsAboutToBeInserted(viewRow, 1); });
    // New records start with Index = the number of records so far and every other cell zero
    // or empty, as their slot holds them; the defaults are not a change, so leaving the record
    // untouched cancels it. The slot is taken now so that the record has its id while it is
    // inserted.
    newSlot_ = TakeSlot();
    BufferedCellOf(kIndexColumn).Integer = RecordCount();
    state_ = TableState::Insert;
    modified_ = false;
    current_ = viewRow;
    eof_ = bof_ = false;
    Tell([&](RecordTableListener& listener) { listener.RowsInserted(viewRow, 1); });
    ReportCursor();
}

void RecordTable::Edit() {
    RequireActive();
    if (state_ != TableState::Browse) {
        return;
    }
    if (IsEmpty()) {
        Insert();
        return;
    }
    state_ = TableState::Edit;
    modified_ = false;
    ReportCursor();
}

// The values are stored and the record placed by its Index in one step, between the
// announcement of the move and its report, so the records are in Index order at every report.
void RecordTable::Post() {
    RequireActive();
    if (state_ == TableState::Browse) {
        return;
    }
    if (IsBlank(current_, kIndexColumn)) {
        throw KelvaneError("Field '" + columns_[kIndexColumn].Name + "' must have a value");
    }
    const int32_t index = IntegerAt(current_, kIndexColumn);
    const bool inserting = state_ == TableState::Insert;
    const int oldRow = current_;
    // The record being inserted already has a row, where it was inserted. An edit that keeps
    // the record between its neighbours' Index values leaves the order as it is, without
    // moving every later record twice.
    int newRow = oldRow;
    if (inserting) {
        newRow = PlaceOf(index, oldRow, -1);
    } else if (!FitsBetweenNeighbours(oldRow, index)) {
        newRow = PlaceOf(index, oldRow, oldRow);
    }
    if (newRow != oldRow) {
        Tell([&](RecordTableListener& listener) { listener.RowAboutToBeMoved(oldRow, newRow); });
    }
    SortBuffer();
    CellChanges before;
    SavedCells saved;
    StorePosted(newRow, Reporting() ? &before : nullptr,
                journal_ != nullptr && !inserting ? &saved : nullptr);
    DropBuffer();
    current_ = newRow;
    if (newRow != oldRow) {
        Tell([&](RecordTableListener& listener) { listener.RowMoved(oldRow, newRow); });
    }
    ReportCells(inserting ? CellsChange::Kind::Added : CellsChange::Kind::Stored, newRow,
                std::move(before));
    ReportCursor();
    if (journal_ != nullptr) {
        const RecordId record = RecordIdAt(newRow);
        if (inserting) {
            journal_->RecordAdded(record);
        } else if (!saved.Empty()) {
            journal_->RecordChanged(record, std::move(saved));
        }
    }
}

void RecordTable::StorePosted(int newRow, CellChanges* before, SavedCells* saved) {
    if (state_ == TableState::Insert) {
        StoreBuffer(newSlot_, nullptr, nullptr);
        order_.insert(order_.begin() + newRow, newSlot_);
        return;
    }
    const uint32_t slot = order_[Col(current_)];
    StoreBuffer(slot, before, saved);
    if (newRow != current_) {
        order_.erase(order_.begin() + current_);
        order_.insert(order_.begin() + newRow, slot);
    }
}

void RecordTable::DropBuffer() {
    state_ = TableState::Browse;
    modified_ = false;
    for (const BufferedCell& set : buffer_) {
        bufferAt_[set.Column] = -1;
    }
    buffer_.clear();
}

RecordTable::EditCell& RecordTable::BufferedCellOf(size_t column) {
    int& at = bufferAt_[column];
    if (at < 0) {
        at = static_cast<int>(buffer_.size());
        buffer_.emplace_back().Column = column;
    }
    return buffer_[static_cast<size_t>(at)].Cell;
}

void RecordTable::SortBuffer() {
    const auto byColumn = [](const BufferedCell& a, const BufferedCell& b) {
        return a.Column < b.Column;
    };
    // Patches and the grid's record-wide edits mostly set cells left to right already.
    if (std::is_sorted(buffer_.begin(), buffer_.end(), byColumn)) {
        return;
    }
    std::sort(buffer_.begin(), buffer_.end(), byColumn);
    for (size_t at = 0; at < buffer_.size(); ++at) {
        bufferAt_[buffer_[at].Column] = static_cast<int>(at);
    }
}

uint32_t RecordTable::EditedSlot() const {
    return state_ == TableState::Insert ? newSlot_ : order_[Col(current_)];
}

void RecordTable::Cancel() {
    RequireActive();
    if (state_ == TableState::Browse) {
        return;
    }
    const int row = current_;
    if (state_ == TableState::Insert) {
        Tell([&](RecordTableListener& listener) { listener.RowsAboutToBeRemoved(row, 1); });
        DropBuffer();
        FreeSlot(newSlot_);
        current_ = std::min(row, RecordCount() - 1);
        Tell([&](RecordTableListener& listener) { listener.RowsRemoved(row, 1); });
    } else {
        const uint32_t slot = order_[Col(row)];
        CellChanges typed;
        if (Reporting()) {
            SortBuffer();
            for (const BufferedCell& set : buffer_) {
                if (!IsStored(slot, set.Column, set.Cell)) {
                    typed.push_back({static_cast<int>(set.Column), ValueOf(set.Cell, set.Column)});
                }
            }
        }
        DropBuffer();
        ReportCells(CellsChange::Kind::Reverted, row, std::move(typed));
    }
    ReportCursor();
}

void RecordTable::Delete() {
    RequireActive();
    if (state_ == TableState::Insert) {
        Cancel();
        return;
    }
    if (IsEmpty()) {
        throw KelvaneError("Cannot perform this operation on an empty dataset");
    }
    // Typed values are dropped first, so the record is announced as it is stored.
    Cancel();
    const int row = current_;
    const uint32_t slot = order_[Col(row)];
    const RecordId record = RecordIdAt(row);
    SavedCells cells = journal_ != nullptr ? SaveStoredRecord(slot) : SavedCells();
    Tell([&](RecordTableListener& listener) { listener.RowsAboutToBeRemoved(row, 1); });
    FreeSlot(slot);
    order_.erase(order_.begin() + row);
    current_ = std::min(row, RecordCount() - 1);
    eof_ = bof_ = IsEmpty();
    Tell([&](RecordTableListener& listener) { listener.RowsRemoved(row, 1); });
    ReportCursor();
    if (journal_ != nullptr) {
        journal_->RecordRemoved(record, row, std::move(cells));
    }
}

bool RecordTable::FitsBetweenNeighbours(int row, int32_t index) const {
    const auto& indexes = stores_[kIndexColumn].Integers;
    const size_t at = static_cast<size_t>(row);
    return (at == 0 || indexes[order_[at - 1]] <= index) &&
           (at + 1 == order_.size() || index <= indexes[order_[at + 1]]);
}

int RecordTable::PlaceOf(int32_t index, int preferredRow, int movingRow) const {
    const auto& indexes = stores_[kIndexColumn].Integers;
    auto indexAt = [&](int place) {
        const bool afterMoving = movingRow >= 0 && place >= movingRow;
        return indexes[order_[Col(afterMoving ? place + 1 : place)]];
    };
    // The first place in [from, to) where holds(place) is false; holds is true up to some place
    // and false after it, as the records are in order of Index.
    auto firstPlaceWhereNot = [](int from, int to, auto holds) {
        while (from < to) {
            const int middle = from + (to - from) / 2;
            if (holds(middle)) {
                from = middle + 1;
            } else {
                to = middle;
            }
        }
        return from;
    };
    const int places = RecordCount() - (movingRow >= 0 ? 1 : 0);
    const int lower =
        firstPlaceWhereNot(0, places, [&](int place) { return indexAt(place) < index; });
    const int upper =
        firstPlaceWhereNot(lower, places, [&](int place) { return indexAt(place) <= index; });
    return std::clamp(preferredRow, lower, upper);
}

uint32_t RecordTable::TakeSlot() {
    uint32_t slot = 0;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        slot = static_cast<uint32_t>(serials_.size());
        if (!stores_.empty() && slot >= stores_.front().Size()) {
            GrowStores(slot);
        }
        serials_.push_back(0);
    }
    // A freed slot keeps its old numbers, and the cells of a grown one are whatever the
    // storage gave; a new record starts from the defaults. Neither holds a text of its own.
    for (ColumnStore& store : stores_) {
        switch (store.Kind) {
            case FieldKind::ftString:
                store.Strings[slot] = strings_.EmptyRef();
                break;
            case FieldKind::ftFloat:
                store.Floats[slot] = 0;
                break;
            case FieldKind::ftInteger:
                store.Integers[slot] = 0;
                break;
        }
    }
    serials_[slot] = nextSerial_++;
    return slot;
}

void RecordTable::GrowStores(size_t slots) {
    constexpr size_t kFewestNewSlots = 64;
    const size_t grown = slots + std::max(kFewestNewSlots, slots / 16);
    for (ColumnStore& store : stores_) {
        store.Resize(grown, strings_.EmptyRef());
    }
}

void RecordTable::StoreBuffer(uint32_t slot, CellChanges* before, SavedCells* saved) {
    const bool noting = before != nullptr || saved != nullptr;
    for (const BufferedCell& set : buffer_) {
        const size_t column = set.Column;
        const EditCell& cell = set.Cell;
        if (noting && !IsStored(slot, column, cell)) {
            if (before != nullptr) {
                before->push_back({static_cast<int>(column), StoredValue(slot, column)});
            }
            if (saved != nullptr) {
                SaveStoredCell(slot, column, *saved);
            }
        }
        ColumnStore& store = stores_[column];
        if (cell.Blank || store.IsBlank(slot)) {
            store.SetBlank(slot, cell.Blank);
        }
        switch (store.Kind) {
            case FieldKind::ftString: {
                // Unchanged texts keep their reference, so they are never copied or re-encoded.
                StringPool::Ref& ref = store.Strings[slot];
                if (cell.KeepsBlockText) {
                    if (ref != cell.BlockText) {
                        strings_.Release(ref);
                        ref = cell.BlockText;
                    }
                } else if (strings_.View(ref) != cell.Text) {
                    strings_.Release(ref);
                    ref = strings_.Store(cell.Text);
                }
                break;
            }
            case FieldKind::ftFloat:
                store.Floats[slot] = cell.Float;
                break;
            case FieldKind::ftInteger:
                store.Integers[slot] = cell.Integer;
                break;
        }
    }
}

void RecordTable::FreeSlot(uint32_t slot) {
    for (ColumnStore& store : stores_) {
        store.SetBlank(slot, false);
        if (store.Kind == FieldKind::ftString) {
            strings_.Release(store.Strings[slot]);
            store.Strings[slot] = strings_.EmptyRef();
        }
    }
    serials_[slot] = 0;
    freeSlots_.push_back(slot);
}

// ---- Fields -------------------------------------------------------------------------------

Field RecordTable::Fields(int column) {
    RequireColumn(column);
    return Field(*this, column);
}

Field RecordTable::FieldByName(std::string_view name) {
    const int column = FindColumn(name);
    if (column < 0) {
        throw KelvaneError("Field '" + EchoText(name) + "' not found");
    }
    return Field(*this, column);
}

bool RecordTable::HasStringField() const {
    for (int column = 1; column < FieldCount(); ++column) {
        if (ColumnKind(column) == FieldKind::ftString) {
            return true;
        }
    }
    return false;
}

int RecordTable::FindColumn(std::string_view name) const {
    const auto found = columnOfUpperName_.find(UpperCase(name));
    return found == columnOfUpperName_.end() ? -1 : found->second;
}

void RecordTable::RequireActive() const {
    if (!active_) {
        throw KelvaneError("Cannot perform this operation on a closed dataset");
    }
}

void RecordTable::RequireColumn(int column) const {
    RequireActive();
    if (column < 0 || column >= FieldCount()) {
        throw KelvaneError("Field index out of range");
    }
}

// ---- Cells by view row --------------------------------------------------------------------

bool RecordTable::IsBufferRow(int row) const {
    return state_ != TableState::Browse && row == current_;
}

uint32_t RecordTable::SlotOfRow(int row) const {
    // While a record is inserted it occupies a view row that is not among the records yet.
    if (state_ == TableState::Insert) {
        if (row == current_) {
            return newSlot_;
        }
        if (row > current_) {
            --row;
        }
    }
    return order_.at(static_cast<size_t>(row));
}

const RecordTable::EditCell* RecordTable::BufferCell(int row, int column) const {
    if (!IsBufferRow(row)) {
        return nullptr;
    }
    const int at = bufferAt_[Col(column)];
    return at < 0 ? nullptr : &buffer_[static_cast<size_t>(at)].Cell;
}

bool RecordTable::IsBlank(int row, int column) const {
    if (const EditCell* cell = BufferCell(row, column)) {
        return cell->Blank;
    }
    return stores_[Col(column)].IsBlank(SlotOfRow(row));
}

int32_t RecordTable::IntegerAt(int row, int column) const {
    if (const EditCell* cell = BufferCell(row, column)) {
        return cell->Blank ? 0 : cell->Integer;
    }
    const uint32_t slot = SlotOfRow(row);
    const ColumnStore& store = stores_[Col(column)];
    return store.IsBlank(slot) ? 0 : store.Integers[slot];
}

double RecordTable::FloatAt(int row, int column) const {
    if (const EditCell* cell = BufferCell(row, column)) {
        return cell->Blank ? 0 : cell->Float;
    }
    const uint32_t slot = SlotOfRow(row);
    const ColumnStore& store = stores_[Col(column)];
    return store.IsBlank(slot) ? 0 : store.Floats[slot];
}

std::string_view RecordTable::StringAt(int row, int column) const {
    if (const EditCell* cell = BufferCell(row, column)) {
        return cell->Blank ? std::string_view() : std::string_view(cell->Text);
    }
    const uint32_t slot = SlotOfRow(row);
    const ColumnStore& store = stores_[Col(column)];
    return store.IsBlank(slot) ? std::string_view() : strings_.View(store.Strings[slot]);
}

std::string RecordTable::CellText(int row, int column) const {
    if (IsBlank(row, column)) {
        return {};
    }
    switch (ColumnKind(column)) {
        case FieldKind::ftString:
            return std::string(StringAt(row, column));
        case FieldKind::ftFloat:
            return FloatText(FloatAt(row, column));
        case FieldKind::ftInteger:
            break;
    }
    return IntegerText(IntegerAt(row, column));
}

std::string RecordTable::DisplayText(int row, int column) const {
    if (Presentation(column).HexHooks) {
        return HexDisplayText(IntegerAt(row, column));
    }
    return CellText(row, column);
}

// The values of cells as change reports carry them; worked out only when someone listens.

CellValue RecordTable::ValueOf(const EditCell& cell, size_t column) const {
    if (cell.Blank) {
        return {};
    }
    switch (columns_[column].Kind) {
        case FieldKind::ftString:
            return CellValue(cell.Text);
        case FieldKind::ftFloat:
            return CellValue(cell.Float);
        case FieldKind::ftInteger:
            break;
    }
    return CellValue(cell.Integer);
}

CellValue RecordTable::StoredValue(uint32_t slot, size_t column) const {
    const ColumnStore& store = stores_[column];
    if (store.IsBlank(slot)) {
        return {};
    }
    switch (store.Kind) {
        case FieldKind::ftString:
            return CellValue(std::string(strings_.View(store.Strings[slot])));
        case FieldKind::ftFloat:
            return CellValue(store.Floats[slot]);
        case FieldKind::ftInteger:
            break;
    }
    return CellValue(store.Integers[slot]);
}

// Compares without building values: a bulk edit compares every cell of every record it posts.
bool RecordTable::IsStored(uint32_t slot, size_t column, const EditCell& cell) const {
    const ColumnStore& store = stores_[column];
    const bool blank = store.IsBlank(slot);
    if (blank || cell.Blank) {
        return blank == cell.Blank;
    }
    switch (store.Kind) {
        case FieldKind::ftString:
            return strings_.View(store.Strings[slot]) == cell.Text;
        case FieldKind::ftFloat:
            // Bit for bit, as CellValue compares floats.
            return std::bit_cast<uint64_t>(store.Floats[slot]) ==
                   std::bit_cast<uint64_t>(cell.Float);
        case FieldKind::ftInteger:
            break;
    }
    return store.Integers[slot] == cell.Integer;
}

// ---- Records by identity ------------------------------------------------------------------

RecordId RecordTable::RecordIdAt(int row) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const uint32_t slot = SlotOfRow(row);
    return RecordId(slot, serials_[slot]);
}

int RecordTable::RowOfRecord(RecordId id) const {
    if (!id.IsValid() || id.slot_ >= serials_.size() || serials_[id.slot_] != id.serial_) {
        return -1;
    }
    if (state_ == TableState::Insert && id.slot_ == newSlot_) {
        return current_;
    }
    // The records are in order of their stored Index at every report, so only the run that
    // shares this record's Index is searched.
    const auto& indexes = stores_[kIndexColumn].Integers;
    const int32_t index = indexes[id.slot_];
    const auto first =
        std::lower_bound(order_.begin(), order_.end(), index,
                         [&](uint32_t slot, int32_t value) { return indexes[slot] < value; });
    const auto last =
        std::upper_bound(first, order_.end(), index,
                         [&](int32_t value, uint32_t slot) { return value < indexes[slot]; });
    const auto found = std::find(first, last, id.slot_);
    if (found == last) {
        return -1;
    }
    const int row = static_cast<int>(found - order_.begin());
    return state_ == TableState::Insert && row >= current_ ? row + 1 : row;
}

// ---- The record being edited, for Field -------------------------------------------------

void RecordTable::RequireEditing() const {
    if (state_ == TableState::Browse) {
        throw KelvaneError("Dataset not in edit or insert mode");
    }
}

void RecordTable::NoteUnreportedChange() {
    modified_ = true;
    if (NotificationsSuspended()) {
        OweReset();
    }
}

void RecordTable::SetReportedCell(int column, EditCell cell) {
    const EditCell* set = BufferCell(current_, column);
    CellValue before =
        set != nullptr ? ValueOf(*set, Col(column)) : StoredValue(EditedSlot(), Col(column));
    EditCell& target = BufferedCellOf(Col(column));
    target = std::move(cell);
    modified_ = true;
    if (!(before == ValueOf(target, Col(column)))) {
        ReportCells(CellsChange::Kind::Typed, current_, {{column, std::move(before)}});
    }
}

// ---- Notifications ------------------------------------------------------------------------

void RecordTable::ResumeNotifications() {
    if (disableCount_ > 0 && --disableCount_ == 0 && resetOwed_) {
        resetOwed_ = false;
        ReportReset();
    }
}

ColumnPresentation& RecordTable::Presentation(int column) {
    return presentation_.at(Col(column));
}

const ColumnPresentation& RecordTable::Presentation(int column) const {
    return presentation_.at(Col(column));
}

void RecordTable::AddListener(RecordTableListener* listener) {
    listeners_.push_back(listener);
}

void RecordTable::RemoveListener(RecordTableListener* listener) {
    std::erase(listeners_, listener);
}

template <typename Call>
void RecordTable::Tell(const Call& call) {
    if (NotificationsSuspended()) {
        OweReset();
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        call(*listener);
    }
}

// The reset is announced before the suspended batch changes anything, as a Qt model must be
// told before its rows change.
void RecordTable::OweReset() {
    if (resetOwed_) {
        return;
    }
    resetOwed_ = true;
    for (RecordTableListener* listener : listeners_) {
        listener->TableAboutToBeReset();
    }
}

void RecordTable::AnnounceReset() {
    Tell([](RecordTableListener& listener) { listener.TableAboutToBeReset(); });
}

void RecordTable::ReportReset() {
    if (NotificationsSuspended()) {
        return;  // ResumeNotifications reports it
    }
    reportedRow_ = current_;
    reportedState_ = state_;
    for (RecordTableListener* listener : listeners_) {
        listener->TableReset();
    }
}

void RecordTable::ReportCells(CellsChange::Kind what, int row, CellChanges cells) {
    if (NotificationsSuspended()) {
        OweReset();
        return;
    }
    if (listeners_.empty() || (cells.empty() && what != CellsChange::Kind::Added)) {
        return;
    }
    const CellsChange change{what, row, RecordIdAt(row), std::move(cells)};
    for (RecordTableListener* listener : listeners_) {
        listener->CellsChanged(change);
    }
}

void RecordTable::ReportCursor() {
    if (current_ == reportedRow_ && state_ == reportedState_) {
        return;
    }
    if (NotificationsSuspended()) {
        OweReset();  // the reset tells where the cursor ends
        return;
    }
    const CursorChange change{reportedRow_, reportedState_, current_, state_};
    reportedRow_ = current_;
    reportedState_ = state_;
    for (RecordTableListener* listener : listeners_) {
        listener->CursorChanged(change);
    }
}

}  // namespace kelvane

#include "core/RecordTable.h"

#include <algorithm>
#include <utility>

#include "core/DecimalSeparator.h"
#include "core/KelvaneError.h"
#include "core/RecordTableListener.h"
#include "core/TextUtil.h"
#include "core/ValueText.h"

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

void RecordTable::AddFieldDef(const std::string& name, FieldKind kind, int size, bool required) {
    if (name.empty()) {
        throw KelvaneError("Field name missing");
    }
    if (!upperDefNames_.insert(UpperCase(name)).second) {
        throw KelvaneError("A component named " + name + " already exists");
    }
    defs_.push_back(ColumnDef{name, kind, size, required});
}

void RecordTable::CreateDataSet() {
    Close();
    columns_ = defs_;
    presentation_.clear();
    stores_.assign(columns_.size(), ColumnStore{});
    for (size_t column = 0; column < columns_.size(); ++column) {
        stores_[column].Kind = columns_[column].Kind;
        presentation_.push_back(DefaultPresentation(columns_[column]));
    }
    active_ = true;
    NotifyReset();
}

void RecordTable::Close() {
    const bool wasActive = active_;
    active_ = false;
    state_ = TableState::Browse;
    modified_ = false;
    buffer_.clear();
    columns_.clear();
    presentation_.clear();
    stores_.clear();
    strings_ = StringPool();
    order_.clear();
    freeSlots_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    if (wasActive) {
        NotifyReset();
    }
}

// ---- Records as a whole -------------------------------------------------------------------

void RecordTable::EmptyDataSet() {
    RequireActive();
    state_ = TableState::Browse;
    modified_ = false;
    buffer_.clear();
    for (ColumnStore& store : stores_) {
        const FieldKind kind = store.Kind;
        store = ColumnStore();
        store.Kind = kind;
    }
    strings_ = StringPool();
    order_.clear();
    freeSlots_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    NotifyReset();
}

void RecordTable::AdoptLoadedRows(LoadedRows rows) {
    RequireActive();
    if (!order_.empty() || state_ != TableState::Browse || rows.Columns.size() != columns_.size()) {
        throw KelvaneError("Loaded rows do not fit the table");
    }
    const size_t rowCount = rows.Columns.empty() ? 0 : rows.Columns.front().Size();
    strings_ = std::move(rows.Strings);
    stores_ = std::move(rows.Columns);
    // Slots freed by records deleted before the load are the loaded records' now.
    freeSlots_.clear();
    order_.resize(rowCount);
    for (size_t row = 0; row < rowCount; ++row) {
        order_[row] = static_cast<uint32_t>(row);
    }
    current_ = order_.empty() ? -1 : 0;
    eof_ = bof_ = order_.empty();
    NotifyReset();
}

// ---- Cursor -------------------------------------------------------------------------------

void RecordTable::First() {
    RequireActive();
    FinishEditing();
    SetCurrent(IsEmpty() ? -1 : 0);
    eof_ = IsEmpty();
    bof_ = true;
}

void RecordTable::Last() {
    RequireActive();
    FinishEditing();
    SetCurrent(RecordCount() - 1);
    eof_ = true;
    bof_ = IsEmpty();
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
    SetCurrent(current_ + 1);
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
    SetCurrent(current_ - 1);
}

void RecordTable::MoveTo(int row) {
    RequireActive();
    if (row == current_ && state_ != TableState::Browse) {
        return;  // staying on the record being edited is no move
    }
    if (row < 0 || row >= RowCount()) {
        return;
    }
    if (state_ == TableState::Browse) {
        SetCurrent(row);
        eof_ = bof_ = false;
        return;
    }
    // Finishing the edit may move or remove rows: follow the record that was asked for, which
    // is usually still where it was.
    const uint32_t target = SlotOfRow(row);
    FinishEditing();
    const size_t place =
        static_cast<size_t>(row) < order_.size() && order_[Col(row)] == target
            ? static_cast<size_t>(row)
            : static_cast<size_t>(std::find(order_.begin(), order_.end(), target) - order_.begin());
    SetCurrent(static_cast<int>(place));
    eof_ = bof_ = false;
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
    // New records start with Index = the number of records so far and every other cell zero
    // or empty; the defaults are not a change, so leaving the record untouched cancels it.
    buffer_.assign(columns_.size(), CellValue{});
    buffer_[kIndexColumn].Integer = RecordCount();
    state_ = TableState::Insert;
    modified_ = false;
    current_ = viewRow;
    eof_ = bof_ = false;
    NotifyRowsInserted(viewRow, 1);
    NotifyCurrentRowChanged();
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
    LoadBuffer(order_[static_cast<size_t>(current_)]);
    state_ = TableState::Edit;
    modified_ = false;
}

void RecordTable::LoadBuffer(uint32_t slot) {
    buffer_.assign(columns_.size(), CellValue{});
    for (size_t column = 0; column < columns_.size(); ++column) {
        const ColumnStore& store = stores_[column];
        CellValue& cell = buffer_[column];
        cell.Blank = store.IsBlank(slot);
        switch (store.Kind) {
            case FieldKind::ftString:
                cell.Text = strings_.View(store.Strings[slot]);
                break;
            case FieldKind::ftFloat:
                cell.Float = store.Floats[slot];
                break;
            case FieldKind::ftInteger:
                cell.Integer = store.Integers[slot];
                break;
        }
    }
}

void RecordTable::Post() {
    RequireActive();
    if (state_ == TableState::Browse) {
        return;
    }
    if (buffer_[kIndexColumn].Blank) {
        throw KelvaneError("Field '" + columns_[kIndexColumn].Name + "' must have a value");
    }
    const int32_t index = buffer_[kIndexColumn].Integer;
    const int oldRow = current_;
    const bool inserting = state_ == TableState::Insert;
    int newRow = oldRow;
    if (inserting) {
        const uint32_t slot = TakeSlot();
        StoreBuffer(slot);
        newRow = PlaceOf(index, oldRow);
        order_.insert(order_.begin() + newRow, slot);
    } else {
        const uint32_t slot = order_[static_cast<size_t>(oldRow)];
        StoreBuffer(slot);
        // An edit that keeps the record between its neighbours' Index values leaves the order
        // as it is, without moving every later record twice.
        if (!FitsBetweenNeighbours(oldRow, index)) {
            order_.erase(order_.begin() + oldRow);
            newRow = PlaceOf(index, oldRow);
            order_.insert(order_.begin() + newRow, slot);
        }
    }

    state_ = TableState::Browse;
    modified_ = false;
    buffer_.clear();
    current_ = newRow;
    // The grid already shows the row at oldRow with its new cells; it only needs telling when
    // the record moved to another place.
    if (newRow != oldRow) {
        NotifyRowsRemoved(oldRow, 1);
        NotifyRowsInserted(newRow, 1);
        NotifyCurrentRowChanged();
    }
}

void RecordTable::Cancel() {
    RequireActive();
    if (state_ == TableState::Browse) {
        return;
    }
    const bool inserting = state_ == TableState::Insert;
    const int row = current_;
    state_ = TableState::Browse;
    modified_ = false;
    buffer_.clear();
    if (inserting) {
        NotifyRowsRemoved(row, 1);
        SetCurrent(std::min(row, RecordCount() - 1));
    } else {
        for (int column = 0; column < FieldCount(); ++column) {
            NotifyCellChanged(row, column);
        }
    }
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
    state_ = TableState::Browse;
    modified_ = false;
    buffer_.clear();
    const int row = current_;
    FreeSlot(order_[static_cast<size_t>(row)]);
    order_.erase(order_.begin() + row);
    NotifyRowsRemoved(row, 1);
    SetCurrent(std::min(row, RecordCount() - 1));
    eof_ = bof_ = IsEmpty();
}

// Where a record with this Index goes among the records in order: within the run of equal
// Index values, as near to where it was (or was inserted) as that run allows.
bool RecordTable::FitsBetweenNeighbours(int row, int32_t index) const {
    const std::vector<int32_t>& indexes = stores_[kIndexColumn].Integers;
    const size_t at = static_cast<size_t>(row);
    return (at == 0 || indexes[order_[at - 1]] <= index) &&
           (at + 1 == order_.size() || index <= indexes[order_[at + 1]]);
}

int RecordTable::PlaceOf(int32_t index, int preferredRow) const {
    auto indexOf = [this](uint32_t slot) { return stores_[kIndexColumn].Integers[slot]; };
    const auto lower = std::partition_point(order_.begin(), order_.end(),
                                            [&](uint32_t slot) { return indexOf(slot) < index; });
    const auto upper = std::partition_point(lower, order_.end(),
                                            [&](uint32_t slot) { return indexOf(slot) <= index; });
    const int first = static_cast<int>(lower - order_.begin());
    const int last = static_cast<int>(upper - order_.begin());
    return std::clamp(preferredRow, first, last);
}

uint32_t RecordTable::TakeSlot() {
    if (!freeSlots_.empty()) {
        const uint32_t slot = freeSlots_.back();
        freeSlots_.pop_back();
        return slot;
    }
    const size_t slots = stores_.empty() ? 0 : stores_.front().Size();
    for (ColumnStore& store : stores_) {
        store.Resize(slots + 1, strings_.EmptyRef());
    }
    return static_cast<uint32_t>(slots);
}

void RecordTable::StoreBuffer(uint32_t slot) {
    for (size_t column = 0; column < columns_.size(); ++column) {
        ColumnStore& store = stores_[column];
        const CellValue& cell = buffer_[column];
        store.SetBlank(slot, cell.Blank);
        switch (store.Kind) {
            case FieldKind::ftString: {
                // Unchanged texts keep their reference, so they are never copied or re-encoded.
                StringPool::Ref& ref = store.Strings[slot];
                if (strings_.View(ref) != cell.Text) {
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
    freeSlots_.push_back(slot);
}

void RecordTable::SetCurrent(int row) {
    if (row == current_) {
        return;
    }
    current_ = row;
    NotifyCurrentRowChanged();
}

// ---- Fields -------------------------------------------------------------------------------

Field RecordTable::Fields(int column) {
    RequireColumn(column);
    return Field(*this, column);
}

Field RecordTable::FieldByName(std::string_view name) {
    const int column = FindColumn(name);
    if (column < 0) {
        throw KelvaneError("Field '" + std::string(name) + "' not found");
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
    for (int column = 0; column < FieldCount(); ++column) {
        if (EqualsIgnoreCase(columns_[Col(column)].Name, name)) {
            return column;
        }
    }
    return -1;
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
    // While a record is inserted it occupies a view row that has no slot yet.
    if (state_ == TableState::Insert && row > current_) {
        --row;
    }
    return order_.at(static_cast<size_t>(row));
}

const RecordTable::CellValue* RecordTable::BufferCell(int row, int column) const {
    return IsBufferRow(row) ? &buffer_[Col(column)] : nullptr;
}

bool RecordTable::IsBlank(int row, int column) const {
    if (const CellValue* cell = BufferCell(row, column)) {
        return cell->Blank;
    }
    return stores_[Col(column)].IsBlank(SlotOfRow(row));
}

int32_t RecordTable::IntegerAt(int row, int column) const {
    if (const CellValue* cell = BufferCell(row, column)) {
        return cell->Blank ? 0 : cell->Integer;
    }
    const uint32_t slot = SlotOfRow(row);
    const ColumnStore& store = stores_[Col(column)];
    return store.IsBlank(slot) ? 0 : store.Integers[slot];
}

double RecordTable::FloatAt(int row, int column) const {
    if (const CellValue* cell = BufferCell(row, column)) {
        return cell->Blank ? 0 : cell->Float;
    }
    const uint32_t slot = SlotOfRow(row);
    const ColumnStore& store = stores_[Col(column)];
    return store.IsBlank(slot) ? 0 : store.Floats[slot];
}

std::string_view RecordTable::StringAt(int row, int column) const {
    if (const CellValue* cell = BufferCell(row, column)) {
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

// ---- The record being edited, for Field -------------------------------------------------

void RecordTable::RequireEditing() const {
    if (state_ == TableState::Browse) {
        throw KelvaneError("Dataset not in edit or insert mode");
    }
}

void RecordTable::SetCurrentCell(int column, CellValue value) {
    RequireEditing();
    buffer_[Col(column)] = std::move(value);
    modified_ = true;
    NotifyCellChanged(current_, column);
}

// ---- Notifications ------------------------------------------------------------------------

void RecordTable::EnableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0 && resetPending_) {
        resetPending_ = false;
        NotifyReset();
    }
}

void RecordTable::AddListener(RecordTableListener* listener) {
    listeners_.push_back(listener);
}

void RecordTable::RemoveListener(RecordTableListener* listener) {
    std::erase(listeners_, listener);
}

void RecordTable::NotifyCellChanged(int row, int column) {
    if (ControlsDisabled()) {
        resetPending_ = true;
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        listener->CellChanged(row, column);
    }
}

void RecordTable::NotifyRowsInserted(int row, int count) {
    if (ControlsDisabled()) {
        resetPending_ = true;
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        listener->RowsInserted(row, count);
    }
}

void RecordTable::NotifyRowsRemoved(int row, int count) {
    if (ControlsDisabled()) {
        resetPending_ = true;
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        listener->RowsRemoved(row, count);
    }
}

void RecordTable::NotifyCurrentRowChanged() {
    if (ControlsDisabled()) {
        resetPending_ = true;
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        listener->CurrentRowChanged(current_);
    }
}

void RecordTable::NotifyReset() {
    if (ControlsDisabled()) {
        resetPending_ = true;
        return;
    }
    for (RecordTableListener* listener : listeners_) {
        listener->TableReset();
    }
}

}  // namespace kelvane

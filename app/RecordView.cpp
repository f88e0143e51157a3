#include "app/RecordView.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "app/RecordViewListener.h"
#include "app/RowSort.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

// The row a record has after another one moved from fromRow to toRow.
int RowAfterMove(int row, int fromRow, int toRow) {
    if (row == fromRow) {
        return toRow;
    }
    if (fromRow < toRow && row > fromRow && row <= toRow) {
        return row - 1;
    }
    if (toRow < fromRow && row >= toRow && row < fromRow) {
        return row + 1;
    }
    return row;
}

std::vector<std::string> ColumnNames(const RecordTable& table) {
    std::vector<std::string> names;
    for (int column = 0; column < table.FieldCount(); ++column) {
        names.push_back(table.ColumnName(column));
    }
    return names;
}

}  // namespace

RecordView::RecordView(RecordTable& table) : table_(table) {
    columnNames_ = ColumnNames(table_);
    ComputeShown();
    table_.AddListener(this);
}

RecordView::~RecordView() {
    table_.RemoveListener(this);
}

int RecordView::TableRowOf(int shownRow) const {
    return shownRow >= 0 && shownRow < ShownCount() ? shown_[static_cast<size_t>(shownRow)] : -1;
}

int RecordView::ShownRowOf(int tableRow) const {
    const bool known = tableRow >= 0 && tableRow < static_cast<int>(shownRowOf_.size());
    return known ? shownRowOf_[static_cast<size_t>(tableRow)] : -1;
}

void RecordView::SortBy(int column, SortOrder order) {
    table_.RequireActive();
    sortColumn_ = order == SortOrder::FileOrder ? -1 : column;
    order_ = order;
    Reapply();
}

void RecordView::SetFilter(int column, std::string_view text) {
    table_.RequireActive();
    std::vector<ColumnFilter> filters = filters_;
    std::erase_if(filters,
                  [column](const ColumnFilter& filter) { return filter.Column() == column; });
    if (!TrimBlanks(text).empty()) {
        filters.emplace_back(table_, column, text);
    }
    filters_ = std::move(filters);
    Reapply();
}

std::string RecordView::FilterText(int column) const {
    for (const ColumnFilter& filter : filters_) {
        if (filter.Column() == column) {
            return filter.Text();
        }
    }
    return {};
}

template <typename Call>
void RecordView::Tell(const Call& call) {
    if (listener_ != nullptr) {
        call(*listener_);
    }
}

void RecordView::Reapply() {
    table_.FinishEditing();
    columnNames_ = ColumnNames(table_);
    Tell([](RecordViewListener& listener) { listener.ShownRowsAboutToBeReset(); });
    ComputeShown();
    Tell([](RecordViewListener& listener) { listener.ShownRowsReset(); });
}

// Works on the stored records, then places a record being inserted where the table shows it.
void RecordView::ComputeShown() {
    shown_.clear();
    if (table_.Active()) {
        shown_.resize(static_cast<size_t>(table_.RecordCount()));
        std::iota(shown_.begin(), shown_.end(), 0);
        for (const ColumnFilter& filter : filters_) {
            filter.Keep(table_, shown_);
        }
        SortRows(table_, sortColumn_, order_, shown_);
    }
    if (table_.State() == TableState::Insert) {
        const int newRow = table_.CurrentRow();
        for (int& row : shown_) {
            row += row >= newRow ? 1 : 0;
        }
        IndexShownRows();
        const int place = InsertPlace(newRow + 1);
        shown_.insert(shown_.begin() + place, newRow);
    }
    IndexShownRows();
}

void RecordView::IndexShownRows() {
    shownRowOf_.assign(static_cast<size_t>(table_.RowCount()), -1);
    for (size_t shownRow = 0; shownRow < shown_.size(); ++shownRow) {
        const int row = shown_[shownRow];
        if (row >= 0 && row < static_cast<int>(shownRowOf_.size())) {
            shownRowOf_[static_cast<size_t>(row)] = static_cast<int>(shownRow);
        }
    }
}

int RecordView::InsertPlace(int tableRow) const {
    if (!Sorted()) {
        return static_cast<int>(std::lower_bound(shown_.begin(), shown_.end(), tableRow) -
                                shown_.begin());
    }
    const int shownRow = ShownRowOf(tableRow);
    return shownRow >= 0 ? shownRow : ShownCount();
}

// ---- Following the table --------------------------------------------------------------------

void RecordView::RowsAboutToBeInserted(int firstRow, int count) {
    pending_ = Pending::Insert;
    pendingRow_ = InsertPlace(firstRow);
    Tell([&](RecordViewListener& listener) {
        listener.ShownRowsAboutToBeInserted(pendingRow_, count);
    });
}

void RecordView::RowsInserted(int firstRow, int count) {
    for (int& row : shown_) {
        row += row >= firstRow ? count : 0;
    }
    std::vector<int> added(static_cast<size_t>(count));
    std::iota(added.begin(), added.end(), firstRow);
    shown_.insert(shown_.begin() + pendingRow_, added.begin(), added.end());
    IndexShownRows();
    pending_ = Pending::Nothing;
    Tell([](RecordViewListener& listener) { listener.ShownRowsInserted(); });
}

void RecordView::RowsAboutToBeRemoved(int firstRow, int count) {
    std::vector<int> leaving;
    for (int row = firstRow; row < firstRow + count; ++row) {
        if (const int shownRow = ShownRowOf(row); shownRow >= 0) {
            leaving.push_back(shownRow);
        }
    }
    std::sort(leaving.begin(), leaving.end());
    if (leaving.empty()) {
        pending_ = Pending::Nothing;
    } else if (leaving.back() - leaving.front() + 1 == static_cast<int>(leaving.size())) {
        pending_ = Pending::Remove;
        Tell([&](RecordViewListener& listener) {
            listener.ShownRowsAboutToBeRemoved(leaving.front(), static_cast<int>(leaving.size()));
        });
    } else {
        pending_ = Pending::Reset;
        Tell([](RecordViewListener& listener) { listener.ShownRowsAboutToBeReset(); });
    }
}

void RecordView::RowsRemoved(int firstRow, int count) {
    std::erase_if(shown_, [&](int row) { return row >= firstRow && row < firstRow + count; });
    for (int& row : shown_) {
        row -= row >= firstRow + count ? count : 0;
    }
    IndexShownRows();
    const Pending pending = std::exchange(pending_, Pending::Nothing);
    if (pending == Pending::Remove) {
        Tell([](RecordViewListener& listener) { listener.ShownRowsRemoved(); });
    } else if (pending == Pending::Reset) {
        Tell([](RecordViewListener& listener) { listener.ShownRowsReset(); });
    }
}

// In file order a shown record moves with its Index; sorted, it stays where it is shown.
void RecordView::RowAboutToBeMoved(int fromRow, int toRow) {
    pending_ = Pending::Nothing;
    const int shownRow = ShownRowOf(fromRow);
    if (shownRow < 0 || Sorted()) {
        return;
    }
    pendingRow_ = static_cast<int>(std::count_if(shown_.begin(), shown_.end(), [&](int row) {
        return row != fromRow && RowAfterMove(row, fromRow, toRow) < toRow;
    }));
    if (pendingRow_ != shownRow) {
        pending_ = Pending::Move;
        Tell([&](RecordViewListener& listener) {
            listener.ShownRowAboutToBeMoved(shownRow, pendingRow_);
        });
    }
}

void RecordView::RowMoved(int fromRow, int toRow) {
    const int shownRow = ShownRowOf(fromRow);
    for (int& row : shown_) {
        row = RowAfterMove(row, fromRow, toRow);
    }
    if (pending_ == Pending::Move) {
        shown_.erase(shown_.begin() + shownRow);
        shown_.insert(shown_.begin() + pendingRow_, toRow);
    }
    IndexShownRows();
    if (std::exchange(pending_, Pending::Nothing) == Pending::Move) {
        Tell([](RecordViewListener& listener) { listener.ShownRowMoved(); });
    }
}

void RecordView::TableAboutToBeReset() {
    shownBeforeReset_.clear();
    newestSerialBeforeReset_ = 0;
    if (!ShowsEveryRecordInFileOrder()) {
        for (int row = 0; row < table_.RowCount(); ++row) {
            newestSerialBeforeReset_ =
                std::max(newestSerialBeforeReset_, table_.RecordIdAt(row).Serial());
        }
        for (const int row : shown_) {
            shownBeforeReset_.push_back(table_.RecordIdAt(row));
        }
    }
    Tell([](RecordViewListener& listener) { listener.ShownRowsAboutToBeReset(); });
}

void RecordView::TableReset() {
    KeepFittingSettings();
    if (ShowsEveryRecordInFileOrder() || !FollowBatch()) {
        ComputeShown();
    }
    shownBeforeReset_.clear();
    Tell([](RecordViewListener& listener) { listener.ShownRowsReset(); });
}

bool RecordView::FollowBatch() {
    std::vector<int> shown;
    shown.reserve(shownBeforeReset_.size());
    for (const RecordId record : shownBeforeReset_) {
        if (const int row = table_.RowOfRecord(record); row >= 0) {
            shown.push_back(row);
        }
    }
    if (shown.empty()) {
        return false;
    }
    for (int row = 0; row < table_.RowCount(); ++row) {
        if (table_.RecordIdAt(row).Serial() > newestSerialBeforeReset_) {
            shown.push_back(row);
        }
    }
    if (!Sorted()) {
        // An edit may have moved a record by its Index.
        std::sort(shown.begin(), shown.end());
    }
    shown_ = std::move(shown);
    IndexShownRows();
    return true;
}

// A filter text may not suit a column whose kind changed; such a filter is dropped.
void RecordView::KeepFittingSettings() {
    if (ColumnNames(table_) != columnNames_) {
        columnNames_ = ColumnNames(table_);
        filters_.clear();
        sortColumn_ = -1;
        order_ = SortOrder::FileOrder;
        return;
    }
    std::vector<ColumnFilter> kept;
    for (const ColumnFilter& filter : filters_) {
        try {
            kept.emplace_back(table_, filter.Column(), filter.Text());
        } catch (const KelvaneError&) {
            continue;
        }
    }
    filters_ = std::move(kept);
}

}  // namespace kelvane

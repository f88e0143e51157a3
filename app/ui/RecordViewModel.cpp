#include "app/ui/RecordViewModel.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "app/ui/RecordTableModel.h"
#include "core/table/RecordTable.h"
#include "shell/ui/QtText.h"

namespace kelvane {

RecordViewModel::RecordViewModel(RecordTableModel& source, QObject* parent)
    : QAbstractProxyModel(parent), source_(source), view_(source.Table()) {
    QAbstractProxyModel::setSourceModel(&source);
    view_.SetListener(this);
    ConnectSource();
}

RecordViewModel::~RecordViewModel() {
    view_.SetListener(nullptr);
}

RecordTable& RecordViewModel::Table() const {
    return source_.Table();
}

bool RecordViewModel::FollowingTable() const {
    return followingView_ || source_.FollowingTable();
}

void RecordViewModel::ConnectSource() {
    connect(&source_, &QAbstractItemModel::dataChanged, this, &RecordViewModel::ShowSourceCells);
    connect(&source_, &QAbstractItemModel::headerDataChanged, this,
            &RecordViewModel::ShowSourceRowTitles);
    // The table's model reports a change before the view has heard of it; the views follow
    // the table once both have.
    connect(&source_, &RecordTableModel::tableChangeShown, this, [this] {
        if (!viewChanging_) {
            emit tableChangeShown();
        }
    });
    // Refresh reads the whole table again without the table changing.
    connect(&source_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!source_.FollowingTable()) {
            beginResetModel();
        }
    });
    connect(&source_, &QAbstractItemModel::modelReset, this, [this] {
        if (!source_.FollowingTable()) {
            endResetModel();
        }
    });
}

// ---- Sort, filter and moves among the shown records ----------------------------------------

void RecordViewModel::CycleSort(int column) {
    SortOrder order = SortOrder::Ascending;
    if (column == view_.SortColumn()) {
        order =
            view_.Order() == SortOrder::Ascending ? SortOrder::Descending : SortOrder::FileOrder;
    }
    view_.SortBy(column, order);
    KeepCurrentRecordShown();
}

void RecordViewModel::SetFilter(int column, const QString& text) {
    view_.SetFilter(column, FromQt(text));
    KeepCurrentRecordShown();
}

void RecordViewModel::MoveToShownRow(int shownRow) {
    if (ShownCount() > 0) {
        Table().MoveTo(TableRowOf(std::clamp(shownRow, 0, ShownCount() - 1)));
    }
}

void RecordViewModel::KeepCurrentRecordShown() {
    if (ShownRowOf(Table().CurrentRow()) < 0) {
        MoveToShownRow(0);
    }
    emit tableChangeShown();
}

// ---- What the views ask ------------------------------------------------------------------

QModelIndex RecordViewModel::index(int row, int column, const QModelIndex& parent) const {
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

QModelIndex RecordViewModel::parent(const QModelIndex& /*child*/) const {
    return {};
}

int RecordViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ShownCount();
}

int RecordViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : source_.columnCount();
}

bool RecordViewModel::hasChildren(const QModelIndex& parent) const {
    return !parent.isValid() && ShownCount() > 0 && columnCount() > 0;
}

QModelIndex RecordViewModel::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid()) {
        return {};
    }
    return source_.index(TableRowOf(proxyIndex.row()), proxyIndex.column());
}

QModelIndex RecordViewModel::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid()) {
        return {};
    }
    return index(ShownRowOf(sourceIndex.row()), sourceIndex.column());
}

void RecordViewModel::ShowSourceCells(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                      const QList<int>& roles) {
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const int shownRow = ShownRowOf(row);
        if (shownRow >= 0) {
            emit dataChanged(index(shownRow, topLeft.column()),
                             index(shownRow, bottomRight.column()), roles);
        }
    }
}

void RecordViewModel::ShowSourceRowTitles(Qt::Orientation orientation, int first, int last) {
    if (orientation == Qt::Horizontal) {
        emit headerDataChanged(orientation, first, last);
        return;
    }
    for (int row = first; row <= last; ++row) {
        if (const int shownRow = ShownRowOf(row); shownRow >= 0) {
            emit headerDataChanged(orientation, shownRow, shownRow);
        }
    }
}

// ---- What the view reports --------------------------------------------------------------

template <typename Show>
void RecordViewModel::Announce(const Show& show) {
    const QScopedValueRollback following(followingView_, true);
    viewChanging_ = true;
    show();
}

template <typename Show>
void RecordViewModel::Report(const Show& show) {
    {
        const QScopedValueRollback following(followingView_, true);
        viewChanging_ = false;
        show();
    }
    emit shownCountChanged(ShownCount());
    emit tableChangeShown();
}

void RecordViewModel::ShownRowsAboutToBeInserted(int firstRow, int count) {
    Announce([&] { beginInsertRows(QModelIndex(), firstRow, firstRow + count - 1); });
}

void RecordViewModel::ShownRowsInserted() {
    Report([&] { endInsertRows(); });
}

void RecordViewModel::ShownRowsAboutToBeRemoved(int firstRow, int count) {
    Announce([&] { beginRemoveRows(QModelIndex(), firstRow, firstRow + count - 1); });
}

void RecordViewModel::ShownRowsRemoved() {
    Report([&] { endRemoveRows(); });
}

void RecordViewModel::ShownRowAboutToBeMoved(int fromRow, int toRow) {
    // Qt names the row before which the moved row lands, counted before the move.
    const int beforeRow = toRow > fromRow ? toRow + 1 : toRow;
    Announce([&] { beginMoveRows(QModelIndex(), fromRow, fromRow, QModelIndex(), beforeRow); });
}

void RecordViewModel::ShownRowMoved() {
    Report([&] { endMoveRows(); });
}

void RecordViewModel::ShownRowsAboutToBeReset() {
    Announce([&] { beginResetModel(); });
}

void RecordViewModel::ShownRowsReset() {
    Report([&] { endResetModel(); });
}

}  // namespace kelvane

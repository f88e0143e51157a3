#include "app/ui/RecordTableModel.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// The row indicator of the current record: browsing, editing or inserting.
QString IndicatorMark(TableState state) {
    switch (state) {
        case TableState::Edit:
            return QStringLiteral("\u270E");
        case TableState::Insert:
            return QStringLiteral("*");
        case TableState::Browse:
            break;
    }
    return QStringLiteral("\u25B6");
}

int CellAlignment(ColumnAlignment alignment) {
    const Qt::Alignment horizontal =
        alignment == ColumnAlignment::Left ? Qt::AlignLeft : Qt::AlignRight;
    return (horizontal | Qt::AlignVCenter).toInt();
}

}  // namespace

RecordTableModel::RecordTableModel(RecordTable& table, UserDialogs& dialogs, QObject* parent)
    : QAbstractTableModel(parent),
      table_(table),
      dialogs_(dialogs),
      rows_(table.RowCount()),
      columns_(table.FieldCount()),
      indicatorRow_(table.RecNo()),
      indicatorState_(table.State()) {
    table_.AddListener(this);
}

RecordTableModel::~RecordTableModel() {
    table_.RemoveListener(this);
}

void RecordTableModel::Reload() {
    ResetFromTable();
}

void RecordTableModel::RefreshRowIndicator() {
    const int row = table_.RecNo();
    const TableState state = table_.State();
    if (row == indicatorRow_ && state == indicatorState_) {
        return;
    }
    const int previous = indicatorRow_;
    indicatorRow_ = row;
    indicatorState_ = state;
    UpdateRowHeader(previous);
    UpdateRowHeader(row);
}

// ---- What the views ask -------------------------------------------------------------------

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !HasCell(index.row(), index.column())) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQt(table_.DisplayText(TableRow(index.row()), index.column()));
        case Qt::TextAlignmentRole:
            return CellAlignment(table_.Presentation(index.column()).Alignment);
        default:
            return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        // While a load is under way the table may have fewer columns than the views know.
        if (section < 0 || section >= columns_ || section >= table_.FieldCount()) {
            return {};
        }
        return ToQt(table_.Presentation(section).Caption);
    }
    if (section < 0 || section >= rows_) {
        return {};
    }
    return RowHeaderText(section);
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool RecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !HasCell(index.row(), index.column())) {
        return false;
    }
    const int row = TableRow(index.row());
    const bool stored = RunGuarded(dialogs_, [&] {
        if (row != table_.RecNo()) {
            table_.MoveTo(row);
        }
        if (table_.State() == TableState::Browse) {
            table_.Edit();
        }
        table_.Fields(index.column()).SetDisplayText(FromQt(value.toString()));
    });
    RefreshRowIndicator();
    return stored;
}

int RecordTableModel::TableRow(int viewRow) const {
    if (!announcing_ || viewRow < announcing_->First) {
        return viewRow;
    }
    const RowShift& shift = *announcing_;
    if (shift.Count < 0 && viewRow < shift.First - shift.Count) {
        return -1;
    }
    return viewRow + shift.Count;
}

bool RecordTableModel::HasCell(int viewRow, int column) const {
    // Besides the rows being announced, a load that is still building the table (the views
    // may redraw while it reports progress) leaves fewer rows and columns than were told.
    const int row = TableRow(viewRow);
    return row >= 0 && row < table_.RowCount() && column >= 0 && column < columns_ &&
           column < table_.FieldCount();
}

QString RecordTableModel::RowHeaderText(int viewRow) const {
    const QString number = QString::number(viewRow + 1);
    const int row = TableRow(viewRow);
    if (row < 0 || row != table_.RecNo()) {
        return number;
    }
    return IndicatorMark(table_.State()) + QLatin1Char(' ') + number;
}

// ---- What the table reports ---------------------------------------------------------------

void RecordTableModel::CellChanged(int row, int column) {
    const QScopedValueRollback following(followingTable_, true);
    ShowChangedCell(row, column);
    emit tableChangeShown();
}

void RecordTableModel::RowsInserted(int firstRow, int count) {
    const QScopedValueRollback following(followingTable_, true);
    ShowInsertedRows(firstRow, count);
    emit tableChangeShown();
}

void RecordTableModel::RowsRemoved(int firstRow, int count) {
    const QScopedValueRollback following(followingTable_, true);
    ShowRemovedRows(firstRow, count);
    emit tableChangeShown();
}

void RecordTableModel::TableReset() {
    const QScopedValueRollback following(followingTable_, true);
    ResetFromTable();
    emit tableChangeShown();
}

void RecordTableModel::CurrentRowChanged(int /*row*/) {
    const QScopedValueRollback following(followingTable_, true);
    if (removedBeforeMove_) {
        ResetFromTable();
    }
    RefreshRowIndicator();
    emit tableChangeShown();
}

void RecordTableModel::ShowChangedCell(int row, int column) {
    if (removedBeforeMove_) {
        ResetFromTable();
        return;
    }
    if (row >= 0 && row < rows_ && column >= 0 && column < columns_) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell);
    }
    RefreshRowIndicator();
}

void RecordTableModel::ShowInsertedRows(int firstRow, int count) {
    if (removedBeforeMove_) {
        if (!FinishMove(firstRow, count)) {
            ResetFromTable();
        }
        return;
    }
    if (count <= 0 || firstRow < 0 || firstRow > rows_ || rows_ + count != table_.RowCount()) {
        ResetFromTable();
        return;
    }
    announcing_ = RowShift{firstRow, count};
    beginInsertRows(QModelIndex(), firstRow, firstRow + count - 1);
    announcing_.reset();
    rows_ += count;
    endInsertRows();
    RefreshRowIndicator();
}

void RecordTableModel::ShowRemovedRows(int firstRow, int count) {
    if (removedBeforeMove_ || count <= 0 || firstRow < 0 || firstRow + count > rows_) {
        ResetFromTable();
        return;
    }
    if (rows_ == table_.RowCount()) {
        // The table has already put the record back at its new place; that insertion is
        // reported next.
        removedBeforeMove_ = RowShift{firstRow, -count};
        return;
    }
    if (rows_ - count != table_.RowCount()) {
        ResetFromTable();
        return;
    }
    announcing_ = RowShift{firstRow, -count};
    beginRemoveRows(QModelIndex(), firstRow, firstRow + count - 1);
    announcing_.reset();
    rows_ -= count;
    endRemoveRows();
    RefreshRowIndicator();
}

bool RecordTableModel::FinishMove(int firstRow, int count) {
    const RowShift removed = *removedBeforeMove_;
    removedBeforeMove_.reset();
    const int first = std::min(removed.First, firstRow);
    const int last = std::max(removed.First, firstRow) + count - 1;
    if (count != -removed.Count || rows_ != table_.RowCount() || columns_ == 0 || first < 0 ||
        last >= rows_) {
        return false;
    }
    // The row count is the same before and after: only the rows in between show other records.
    emit dataChanged(index(first, 0), index(last, columns_ - 1));
    emit headerDataChanged(Qt::Vertical, first, last);
    RefreshRowIndicator();
    return true;
}

void RecordTableModel::ResetFromTable() {
    beginResetModel();
    announcing_.reset();
    removedBeforeMove_.reset();
    rows_ = table_.RowCount();
    columns_ = table_.FieldCount();
    indicatorRow_ = table_.RecNo();
    indicatorState_ = table_.State();
    endResetModel();
}

void RecordTableModel::UpdateRowHeader(int viewRow) {
    if (viewRow >= 0 && viewRow < rows_) {
        emit headerDataChanged(Qt::Vertical, viewRow, viewRow);
    }
}

}  // namespace kelvane

#include "app/ui/RecordTableModel.h"

#include <QScopedValueRollback>

#include "app/ColumnHeaderTip.h"
#include "core/definitions/TableDefinitions.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
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
    : QAbstractTableModel(parent), table_(table), dialogs_(dialogs) {
    table_.AddListener(this);
}

RecordTableModel::~RecordTableModel() {
    table_.RemoveListener(this);
}

void RecordTableModel::Reload() {
    beginResetModel();
    endResetModel();
}

// ---- What the views ask -------------------------------------------------------------------

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount();
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.FieldCount();
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !HasCell(index.row(), index.column())) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQt(table_.DisplayText(index.row(), index.column()));
        case Qt::TextAlignmentRole:
            return CellAlignment(table_.Presentation(index.column()).Alignment);
        default:
            return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        if (section >= table_.FieldCount()) {
            return {};
        }
        if (role == Qt::ToolTipRole) {
            const ColumnHelp help =
                definitions_ != nullptr ? HelpOfColumn(*definitions_, section) : ColumnHelp{};
            return ToQt(
                ColumnHeaderTip(table_.ColumnName(section), table_.ColumnKind(section), help));
        }
        return ToQt(table_.Presentation(section).Caption);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (section >= table_.RowCount()) {
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
    const int row = index.row();
    return RunGuarded(dialogs_, [&] {
        if (row != table_.CurrentRow()) {
            table_.MoveTo(row);
        }
        if (table_.State() == TableState::Browse) {
            table_.Edit();
        }
        table_.Fields(index.column()).SetDisplayText(FromQt(value.toString()));
    });
}

// A view may still hold an index from before a batch that the table has not reported yet (it
// reports a suspended batch when the batch ends, and a load lets the views redraw meanwhile).
bool RecordTableModel::HasCell(int row, int column) const {
    return row >= 0 && row < table_.RowCount() && column >= 0 && column < table_.FieldCount();
}

// Each record's number, counted from 1 in table order as the status bar and every message
// count them, so it travels with the record through sorts and filters; the current record's
// mark stands before it.
QString RecordTableModel::RowHeaderText(int row) const {
    const QString number = QString::number(row + 1);
    return row == table_.CurrentRow() ? IndicatorMark(table_.State()) + QLatin1Char(' ') + number
                                      : number;
}

void RecordTableModel::UpdateRowHeader(int row) {
    if (row >= 0 && row < rowCount()) {
        emit headerDataChanged(Qt::Vertical, row, row);
    }
}

// ---- What the table reports ---------------------------------------------------------------

template <typename Show>
void RecordTableModel::Announce(const Show& show) {
    const QScopedValueRollback following(followingTable_, true);
    show();
}

template <typename Show>
void RecordTableModel::Follow(const Show& show) {
    Announce([&] {
        show();
        emit tableChangeShown();
    });
}

void RecordTableModel::CellsChanged(const CellsChange& change) {
    if (change.Cells.empty()) {
        return;  // a record stored for the first time shows what it showed before
    }
    Follow([&] {
        emit dataChanged(index(change.Row, change.Cells.front().Column),
                         index(change.Row, change.Cells.back().Column));
    });
}

void RecordTableModel::RowsAboutToBeInserted(int firstRow, int count) {
    Announce([&] { beginInsertRows(QModelIndex(), firstRow, firstRow + count - 1); });
}

void RecordTableModel::RowsInserted(int /*firstRow*/, int /*count*/) {
    Follow([&] { endInsertRows(); });
}

void RecordTableModel::RowsAboutToBeRemoved(int firstRow, int count) {
    Announce([&] { beginRemoveRows(QModelIndex(), firstRow, firstRow + count - 1); });
}

void RecordTableModel::RowsRemoved(int /*firstRow*/, int /*count*/) {
    Follow([&] { endRemoveRows(); });
}

void RecordTableModel::RowAboutToBeMoved(int fromRow, int toRow) {
    // Qt names the row before which the moved row lands, counted before the move.
    const int beforeRow = toRow > fromRow ? toRow + 1 : toRow;
    Announce([&] { beginMoveRows(QModelIndex(), fromRow, fromRow, QModelIndex(), beforeRow); });
}

void RecordTableModel::RowMoved(int /*fromRow*/, int /*toRow*/) {
    Follow([&] { endMoveRows(); });
}

void RecordTableModel::CursorChanged(const CursorChange& change) {
    Follow([&] {
        UpdateRowHeader(change.PreviousRow);
        if (change.Row != change.PreviousRow) {
            UpdateRowHeader(change.Row);
        }
    });
}

void RecordTableModel::TableAboutToBeReset() {
    Announce([&] { beginResetModel(); });
}

void RecordTableModel::TableReset() {
    Follow([&] { endResetModel(); });
}

}  // namespace kelvane

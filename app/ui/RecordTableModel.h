#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "core/RecordTable.h"
#include "core/RecordTableListener.h"

namespace kelvane {

class UserDialogs;

// Shows a RecordTable to Qt's item views without holding any of its data: every cell is
// formatted from the table when a view asks for it. The table's notifications arrive after the
// change is made, so the model remembers the row and column counts the views were last told
// and answers from the table's old layout until each change is announced. The table must
// outlive the model.
class RecordTableModel : public QAbstractTableModel, private RecordTableListener {
    Q_OBJECT

  public:
    RecordTableModel(RecordTable& table, UserDialogs& dialogs, QObject* parent = nullptr);
    ~RecordTableModel() override;

    RecordTable& Table() const { return table_; }
    // Reads the whole table again.
    void Reload();
    // Redraws the row indicator after a change of the editing state that the table does not
    // report, such as Edit or a Post that leaves the record in place.
    void RefreshRowIndicator();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Typing into a cell: the row becomes the current record, which is put into editing, and
    // the text goes through the column's entry rules. A refused text is shown to the user and
    // leaves the cell as it was.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // True while the model passes on a change the table reported: a view that follows the
    // table must not push moves of its own back into it meanwhile.
    bool FollowingTable() const { return followingTable_; }

  signals:
    // The views have been told of a change the table reported, the move of its cursor
    // included; a view follows the table's current row from here.
    void tableChangeShown();

  private:
    // Rows inserted (Count > 0) or removed (Count < 0) at First.
    struct RowShift {
        int First = 0;
        int Count = 0;
    };

    void CellChanged(int row, int column) override;
    void RowsInserted(int firstRow, int count) override;
    void RowsRemoved(int firstRow, int count) override;
    void TableReset() override;
    void CurrentRowChanged(int row) override;

    void ShowChangedCell(int row, int column);
    void ShowInsertedRows(int firstRow, int count);
    void ShowRemovedRows(int firstRow, int count);
    // The table row that a row of the layout the views know stands for; -1 when it is gone.
    int TableRow(int viewRow) const;
    bool HasCell(int viewRow, int column) const;
    QString RowHeaderText(int viewRow) const;
    void ResetFromTable();
    // A record moved by Post arrives as a removal followed by an insertion; the rows between
    // the two places are redrawn.
    bool FinishMove(int firstRow, int count);
    void UpdateRowHeader(int viewRow);

    RecordTable& table_;
    UserDialogs& dialogs_;
    int rows_ = 0;
    int columns_ = 0;
    // The change being announced: the views still know the layout from before it.
    std::optional<RowShift> announcing_;
    // A removal the table has already made up for with an insertion still to be reported.
    std::optional<RowShift> removedBeforeMove_;
    bool followingTable_ = false;
    int indicatorRow_ = -1;
    TableState indicatorState_ = TableState::Browse;
};

}  // namespace kelvane

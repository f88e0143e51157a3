#pragma once

#include <QAbstractTableModel>

#include "core/table/RecordTableListener.h"

namespace kelvane {

class RecordTable;
class UserDialogs;
struct TableDefinitions;

// Shows a RecordTable to Qt's item views without holding any of its data: every cell is
// formatted from the table when a view asks for it. The table announces each change of rows
// before making it and reports it after, so the model passes those on as Qt's begin and end
// calls and answers every question from the table as it stands. The table must outlive the
// model.
class RecordTableModel : public QAbstractTableModel, private RecordTableListener {
    Q_OBJECT

  public:
    RecordTableModel(RecordTable& table, UserDialogs& dialogs, QObject* parent = nullptr);
    ~RecordTableModel() override;

    RecordTable& Table() const { return table_; }
    // What the definitions say about the columns, shown in the titles' tooltips; without them a
    // tooltip gives the column's name and kind. The definitions must outlive the model.
    void SetColumnHelp(const TableDefinitions& definitions) { definitions_ = &definitions; }
    // Reads the whole table again.
    void Reload();

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
    void CellsChanged(const CellsChange& change) override;
    void RowsAboutToBeInserted(int firstRow, int count) override;
    void RowsInserted(int firstRow, int count) override;
    void RowsAboutToBeRemoved(int firstRow, int count) override;
    void RowsRemoved(int firstRow, int count) override;
    void RowAboutToBeMoved(int fromRow, int toRow) override;
    void RowMoved(int fromRow, int toRow) override;
    void CursorChanged(const CursorChange& change) override;
    void TableAboutToBeReset() override;
    void TableReset() override;

    // Passes an announcement on with the views following the table.
    template <typename Show>
    void Announce(const Show& show);
    // Passes a report on likewise, then lets the views catch up with the table.
    template <typename Show>
    void Follow(const Show& show);
    bool HasCell(int row, int column) const;
    QString RowHeaderText(int row) const;
    void UpdateRowHeader(int row);

    RecordTable& table_;
    const TableDefinitions* definitions_ = nullptr;
    UserDialogs& dialogs_;
    bool followingTable_ = false;
};

}  // namespace kelvane

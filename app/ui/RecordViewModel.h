#pragma once

#include <QAbstractProxyModel>

#include "app/RecordView.h"
#include "app/RecordViewListener.h"

namespace kelvane {

class RecordTable;
class RecordTableModel;

// The records a user is shown, sorted and filtered, as a Qt model over the table's model: a
// row here is a row of the RecordView, its cells and row titles those of the table row it
// stands for. Changes the table reports reach the views through the RecordView, so rows come,
// go and move here as they do among the shown records.
class RecordViewModel : public QAbstractProxyModel, private RecordViewListener {
    Q_OBJECT

  public:
    explicit RecordViewModel(RecordTableModel& source, QObject* parent = nullptr);
    ~RecordViewModel() override;

    RecordTableModel& Source() const { return source_; }
    RecordTable& Table() const;
    const RecordView& View() const { return view_; }
    // Whether the views are being told of a change the table or the view made: a view that
    // follows the table must not push moves of its own back into it meanwhile.
    bool FollowingTable() const;

    int TableRowOf(int shownRow) const { return view_.TableRowOf(shownRow); }
    int ShownRowOf(int tableRow) const { return view_.ShownRowOf(tableRow); }
    int ShownCount() const { return view_.ShownCount(); }

    // A title click: ascending, then descending, then file order again; another column starts
    // ascending. The current record stays current if it is shown.
    void CycleSort(int column);
    // Fails on a text that is no filter of the column; the current record moves to the first
    // shown one when it is no longer shown.
    void SetFilter(int column, const QString& text);
    // Moves the table to a shown row, kept within the shown rows; nothing when none is shown.
    void MoveToShownRow(int shownRow);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

  signals:
    // The views have been told of a change, the move of the table's cursor included; a view
    // follows the table's current row from here.
    void tableChangeShown();
    void shownCountChanged(int shown);

  private:
    void ShownRowsAboutToBeInserted(int firstRow, int count) override;
    void ShownRowsInserted() override;
    void ShownRowsAboutToBeRemoved(int firstRow, int count) override;
    void ShownRowsRemoved() override;
    void ShownRowAboutToBeMoved(int fromRow, int toRow) override;
    void ShownRowMoved() override;
    void ShownRowsAboutToBeReset() override;
    void ShownRowsReset() override;

    template <typename Show>
    void Announce(const Show& show);
    template <typename Show>
    void Report(const Show& show);
    void ConnectSource();
    void ShowSourceCells(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                         const QList<int>& roles);
    void ShowSourceRowTitles(Qt::Orientation orientation, int first, int last);
    void KeepCurrentRecordShown();

    RecordTableModel& source_;
    RecordView view_;
    bool followingView_ = false;
    bool viewChanging_ = false;  // between an announcement and its report
};

}  // namespace kelvane

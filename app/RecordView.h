#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ColumnFilter.h"
#include "app/SortOrder.h"
#include "core/table/RecordId.h"
#include "core/table/RecordTableListener.h"

namespace kelvane {

class RecordTable;
class RecordViewListener;

// The records a user is shown, in the order shown: those passing every column filter, sorted
// by one column or in file order. The table itself keeps its order (Save and the exports use
// it); the view only maps its rows to the table's rows and back, and follows the table's
// reports. Sort and filters apply when they are set: a record edited so that it no longer
// matches, or now sorts elsewhere, stays where it is until they are set again, and a new record
// shows where it was inserted. That holds across a batch the table reports as one reset (a
// paste, an import, an undo): the records shown before stay in their order, those gone leave,
// and the records the batch added show after them (in file order, in their place). A reset
// that keeps no record shown (a load) applies sort and filters afresh, and one that changed the
// table's columns drops them.
class RecordView : private RecordTableListener {
  public:
    explicit RecordView(RecordTable& table);
    ~RecordView() override;
    RecordView(const RecordView&) = delete;
    RecordView& operator=(const RecordView&) = delete;

    void SetListener(RecordViewListener* listener) { listener_ = listener; }
    RecordTable& Table() const { return table_; }

    int ShownCount() const { return static_cast<int>(shown_.size()); }
    // Table rows in the order shown.
    const std::vector<int>& ShownRows() const { return shown_; }
    bool ShowsEveryRecordInFileOrder() const { return filters_.empty() && !Sorted(); }
    // -1 for a row out of range, or a record not shown.
    int TableRowOf(int shownRow) const;
    int ShownRowOf(int tableRow) const;

    int SortColumn() const { return sortColumn_; }
    SortOrder Order() const { return order_; }
    // Finishes a record being edited first, as moving away does.
    void SortBy(int column, SortOrder order);
    // An empty text drops the column's filter. Fails on a text that is no filter of the
    // column, leaving the filters as they were.
    void SetFilter(int column, std::string_view text);
    std::string FilterText(int column) const;
    bool Filtered() const { return !filters_.empty(); }

  private:
    enum class Pending { Nothing, Insert, Remove, Move, Reset };

    bool Sorted() const { return order_ != SortOrder::FileOrder; }
    void RowsAboutToBeInserted(int firstRow, int count) override;
    void RowsInserted(int firstRow, int count) override;
    void RowsAboutToBeRemoved(int firstRow, int count) override;
    void RowsRemoved(int firstRow, int count) override;
    void RowAboutToBeMoved(int fromRow, int toRow) override;
    void RowMoved(int fromRow, int toRow) override;
    void TableAboutToBeReset() override;
    void TableReset() override;

    // Where records inserted before the table row show.
    int InsertPlace(int tableRow) const;
    // Shows what it showed before a batch, with the records the batch added; false when no
    // record shown before is left.
    bool FollowBatch();
    // Finishes editing, then shows the records the sort and filters give, as a reset.
    void Reapply();
    void ComputeShown();
    // Keeps the sort and filters that still fit the table's columns.
    void KeepFittingSettings();
    void IndexShownRows();
    template <typename Call>
    void Tell(const Call& call);

    RecordTable& table_;
    RecordViewListener* listener_ = nullptr;
    std::vector<ColumnFilter> filters_;
    int sortColumn_ = -1;
    SortOrder order_ = SortOrder::FileOrder;
    std::vector<std::string> columnNames_;  // the columns the sort and filters were set on
    std::vector<int> shown_;                // table rows, in the order shown
    std::vector<int> shownRowOf_;           // per table row; -1 when not shown
    // Taken when a reset is announced: the records shown then, in order, and the newest serial
    // of any record, after which the records a batch adds are numbered.
    std::vector<RecordId> shownBeforeReset_;
    uint64_t newestSerialBeforeReset_ = 0;
    Pending pending_ = Pending::Nothing;
    int pendingRow_ = -1;  // where inserted records go, or where a moved one lands
};

}  // namespace kelvane

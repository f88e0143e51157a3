#pragma once

#include "core/table/CellsChange.h"
#include "core/table/CursorChange.h"

namespace kelvane {

// What a view of a RecordTable is told, in the order things happen. Rows are view rows: the
// table's records in order, plus the record being inserted, shown at its place until it is
// posted or cancelled.
//
// Every change of rows is announced before it is made (the table still shows the rows as they
// were, so a listener can read what is about to go) and reported after it; a Qt model calls
// its begin and end functions there. Changes of cells and of the cursor are reported after
// they are made, the cells with their values before: each Field assignment to the record being
// edited as typed, and each Post as stored (a Post that places the record by its Index reports
// the move first, then the cells at the record's new row). The cursor goes along with its
// record when rows change (the record being inserted appears, the current record is removed or
// placed by its Index), so CurrentRow() and State() may already stand where the operation leaves
// them; one CursorChanged reports that once the operation is done.
//
// While the table is suspended (SuspendNotifications) nothing is reported one by one: the first
// change announces a reset, and when the suspension ends one TableReset stands for the whole
// batch. Loading, creating and closing a table are resets too.
class RecordTableListener {
  public:
    virtual ~RecordTableListener() = default;

    // ---- Cells ---------------------------------------------------------------------------
    virtual void CellsChanged(const CellsChange& /*change*/) {}

    // ---- Rows ----------------------------------------------------------------------------
    virtual void RowsAboutToBeInserted(int /*firstRow*/, int /*count*/) {}
    virtual void RowsInserted(int /*firstRow*/, int /*count*/) {}
    virtual void RowsAboutToBeRemoved(int /*firstRow*/, int /*count*/) {}
    virtual void RowsRemoved(int /*firstRow*/, int /*count*/) {}
    // fromRow is the row before the move, toRow the row after it.
    virtual void RowAboutToBeMoved(int /*fromRow*/, int /*toRow*/) {}
    virtual void RowMoved(int /*fromRow*/, int /*toRow*/) {}

    // ---- Cursor: its row or its state (browse, edit, insert) --------------------------------
    virtual void CursorChanged(const CursorChange& /*change*/) {}

    // ---- Everything: columns, records or both changed beyond description -------------------
    virtual void TableAboutToBeReset() {}
    virtual void TableReset() {}
};

}  // namespace kelvane

#pragma once

#include "core/table/RecordTableListener.h"

namespace kelvane::testing {

// Counts what a view of the table would have been told; announcements before a change are
// not counted apart from the reports after it.
struct ListenerLog : RecordTableListener {
    int CellChanges = 0;
    int RowChanges = 0;  // rows inserted, removed or moved
    int Resets = 0;
    int CursorChanges = 0;

    void CellsChanged(const CellsChange&) override { ++CellChanges; }
    void RowsInserted(int, int) override { ++RowChanges; }
    void RowsRemoved(int, int) override { ++RowChanges; }
    void RowMoved(int, int) override { ++RowChanges; }
    void TableReset() override { ++Resets; }
    void CursorChanged(const CursorChange&) override { ++CursorChanges; }

    int AllButResets() const { return CellChanges + RowChanges + CursorChanges; }
};

}  // namespace kelvane::testing

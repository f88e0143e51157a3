#pragma once

#include "core/RecordTableListener.h"

namespace kelvane::testing {

// Counts what a view of the table would have been told.
struct ListenerLog : RecordTableListener {
    int CellChanges = 0;
    int RowChanges = 0;  // rows inserted or removed
    int Resets = 0;
    int CurrentRowChanges = 0;

    void CellChanged(int, int) override { ++CellChanges; }
    void RowsInserted(int, int) override { ++RowChanges; }
    void RowsRemoved(int, int) override { ++RowChanges; }
    void TableReset() override { ++Resets; }
    void CurrentRowChanged(int) override { ++CurrentRowChanges; }

    int AllButResets() const { return CellChanges + RowChanges + CurrentRowChanges; }
};

}  // namespace kelvane::testing

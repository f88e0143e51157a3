#pragma once

#include "core/table/TableState.h"

namespace kelvane {

// The cursor's row or state after an operation, and where it stood when last reported.
struct CursorChange {
    int PreviousRow = -1;
    TableState PreviousState = TableState::Browse;
    int Row = -1;
    TableState State = TableState::Browse;
};

}  // namespace kelvane

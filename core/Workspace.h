#pragma once

#include "core/CellLayout.h"
#include "core/CurrentTable.h"
#include "core/FieldDef.h"
#include "core/RecordTable.h"

namespace kelvane {

// The open table with everything that describes it: the program holds one for the whole run,
// tests make their own.
struct Workspace {
    RecordTable Table;
    FieldDefList Defs;
    CurrentTable Current;
    // The cell layout of the file loaded last (or the one a new table's definitions give), so
    // saving keeps that layout while the number of columns still matches it.
    CellLayout FileLayout;
};

}  // namespace kelvane

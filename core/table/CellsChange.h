#pragma once

#include <vector>

#include "core/table/CellValue.h"
#include "core/table/RecordId.h"

namespace kelvane {

// Cells of one record that changed, each with its value before the change; the table shows the
// values after it. Only cells whose value differs are listed, and a change that alters no cell
// is not reported, unless it adds a record.
struct CellsChange {
    enum class Kind {
        // Field assignments to the record being edited or inserted: its row shows the new
        // values, the table stores nothing until Post.
        Typed,
        // Cancel dropped typed values: the row shows the stored values again.
        Reverted,
        // Post stored an edited record: the values before are the ones it had stored.
        Stored,
        // Post stored a new record for the first time: no values before, so Cells is empty.
        Added,
    };

    struct Cell {
        int Column = 0;
        CellValue Before;
        bool operator==(const Cell& other) const = default;
    };

    Kind What = Kind::Typed;
    int Row = 0;
    RecordId Record;
    std::vector<Cell> Cells;  // in column order
};

}  // namespace kelvane

#pragma once

#include <cstdint>
#include <string_view>

#include "core/table/RecordId.h"
#include "core/table/SavedCells.h"
#include "core/table/TableRecords.h"

namespace kelvane {

// What a table's history hears: every change of the stored records, with what it takes to take
// the change back, also while the table's listeners are suspended. Typed values are not stored
// until Post, so they are no change here.
class RecordTableJournal {
  public:
    virtual ~RecordTableJournal() = default;

    // A command that changes the table starts or ends; steps may nest, the outermost one names
    // what the user did.
    virtual void BeginStep(std::string_view name) = 0;
    virtual void EndStep() = 0;

    // Post stored an edited record; `before` holds each cell it changed, with its earlier value.
    virtual void RecordChanged(RecordId record, SavedCells before) = 0;
    // Post stored a new record.
    virtual void RecordAdded(RecordId record) = 0;
    // A record was removed from `row`; `cells` holds all its cells.
    virtual void RecordRemoved(RecordId record, int row, SavedCells cells) = 0;
    // Every record was removed at once and is handed over as it was.
    virtual void AllRecordsRemoved(TableRecords records) = 0;
    // Records taken out by a removal of all were put back.
    virtual void AllRecordsRestored() = 0;
    // The table was loaded, created or closed: nothing before it can be taken back.
    virtual void TableReplaced() = 0;

    // Where the history stands now, for TakeBackTo.
    virtual uint64_t Mark() const = 0;
    // Takes back every change stored since the mark and forgets it, so that Redo does not bring
    // it back: a command the user stopped halfway leaves nothing behind. No step may be open.
    virtual void TakeBackTo(uint64_t mark) = 0;
};

}  // namespace kelvane

#pragma once

#include <string_view>
#include <vector>

#include "app/TabSeparatedText.h"
#include "core/base/WorkProgress.h"
#include "core/table/RecordId.h"

namespace kelvane {

class RecordTable;

// What EnterCells changed: the size of the block and how many records it added.
struct CellEntryOutcome {
    int Rows = 0;
    int Columns = 0;
    int AddedRecords = 0;
};

// Fails with the reason a text cannot go into a column as typed into the grid: a character the
// column does not allow, no hexadecimal number in a hex column, no number in a number column.
void CheckCellEntry(const RecordTable& table, int column, std::string_view text);

// Puts a block of texts into the table as if typed, row i into records[i] from firstColumn
// rightwards; rows beyond the records given go into new records, added as Append adds them
// (their Index is the record count unless the block gives one). Every text is checked first:
// when one is refused, or the block is wider than the columns from firstColumn, the table is
// left as it was and the message names the record and the column. The whole entry is one batch
// (see RunAsOneBatch) and one undo step of that name; progress hears of every row and may stop
// the entry, which then leaves the table as it was. The cursor ends on the first record of the
// block.
CellEntryOutcome EnterCells(RecordTable& table, const std::vector<RecordId>& records,
                            int firstColumn, const CellTexts& rows, std::string_view stepName,
                            const WorkProgress& progress = {});

}  // namespace kelvane

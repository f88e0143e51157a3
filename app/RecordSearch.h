#pragma once

#include <optional>
#include <string>

#include "app/SearchSettings.h"
#include "core/base/WorkProgress.h"

namespace kelvane {

class RecordTable;
class RecordView;

// The cell a search found: the record's view row and the grid column that matched.
struct SearchMatch {
    int Row = -1;
    int Column = -1;

    bool operator==(const SearchMatch&) const = default;
};

// Takes the table's column names (Index first) while the field list is still empty; once
// filled, the list keeps the columns of that table for the rest of the run.
void FillFieldList(SearchSettings& settings, const RecordTable& table);

// Makes the first shown record (in the order shown) that matches the settings current and
// returns the cell that matched, the row being the record's table row:
// in a search of all columns, the record's first matching column in column order. The search
// starts at the first shown record or after the current one, as the settings say, and ends at
// the last. Without a match the cursor stays where it was and nothing is returned.
//
// A record being edited is posted first (dropped when unchanged), as any cursor move does.
// Cells are compared in their text form (numbers in decimal, also in hexadecimal columns), so
// a value that is no number of the column's kind simply matches nothing. A field that is not
// a column of the table (the field list may come from an earlier table) matches nothing.
// Fails on a closed table. progress hears how many of the records to look at have been, and
// may stop the search, which then leaves the cursor where it was.
std::optional<SearchMatch> FindRecord(RecordTable& table, const RecordView& view,
                                      const SearchSettings& settings,
                                      const WorkProgress& progress = {});

// Find Next: looks from the shown record after the current one to the last, then wraps around
// to the first shown record and on up to the current one, so every record is looked at once,
// whatever the origin setting says. Otherwise as FindRecord.
std::optional<SearchMatch> FindNextRecord(RecordTable& table, const RecordView& view,
                                          const SearchSettings& settings,
                                          const WorkProgress& progress = {});

// Whether Find Next, started on the table row fromRow, found its match only after wrapping
// around to the first shown record; the user is told, so a match above is no surprise.
bool WrappedAround(const RecordView& view, int fromRow, const SearchMatch& match);

// What the user is told when a search found nothing, and when Find Next wrapped around.
std::string NoMatchMessage(const SearchSettings& settings);
std::string WrappedAroundText();

}  // namespace kelvane

#pragma once

#include <string>
#include <vector>

namespace kelvane {

// How a cell text has to agree with the value searched for; the numbers are the positions of
// the dialog's list.
enum class SearchMode { AtBeginning = 0, Exactly = 1, AnyPosition = 2 };

// Where a scan starts; the numbers are the positions of the dialog's radio group.
enum class SearchOrigin { FirstRecord = 0, AfterCurrentRecord = 1 };

// The record search's choices, one set for the whole run: each confirmed search overwrites
// them, so the dialog opens the next time as it was left.
struct SearchSettings {
    std::string Caption = "Record search";
    std::string Value;
    std::string Field;  // the one column searched; empty for all columns
    bool CaseSensitive = true;
    SearchMode Mode = SearchMode::AnyPosition;
    SearchOrigin Origin = SearchOrigin::FirstRecord;
    // The column names the dialog offers, taken from the table open at the first search.
    std::vector<std::string> FieldList;
};

}  // namespace kelvane

#pragma once

#include <string>
#include <vector>

#include "app/SearchSettings.h"

namespace kelvane {

class RecordTable;

// Takes the table's column names (Index first) while the field list is still empty; once
// filled, the list keeps the columns of that table for the rest of the run.
void FillFieldList(SearchSettings& settings, const RecordTable& table);

// The field list as the dialog offers it: alphabetical, letters compared without case.
std::vector<std::string> AlphabeticalFieldNames(const std::vector<std::string>& fieldList);

// Makes the first record that matches the settings current.
//
// One column searched from the first record for a beginning or an exact text is a direct
// lookup: without a match the cursor stays where it was. Every other search scans record by
// record from the first record or from the one after the current record, with the grid
// suspended, and ends on the last record when nothing matched.
//
// Cells are compared in their text form (numbers in decimal, also in hexadecimal columns), so
// a value that is no number of the column's kind simply matches nothing. A field that is not
// a column of the table (the field list may come from an earlier table) matches nothing.
void FindRecord(RecordTable& table, const SearchSettings& settings);

}  // namespace kelvane

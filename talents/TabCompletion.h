#pragma once

#include <cstdint>
#include <string>

namespace kelvane {

class WorkingTable;

// The column-11 value of a tab made by the three-tab rule: starting from -1, every row from 0
// to lastRow whose column 11 is above the value so far moves the value to that number plus
// step. Fails with the integer-conversion message for a cell that is not a whole number.
int64_t Next11(const WorkingTable& tabs, int lastRow, int64_t step);

// Gives a class that has two, three or four tabs the rows of its missing tabs up to five, with
// the IDs after largestTabId, the largest tab ID of the whole table. A class with any other
// number of tabs gets nothing.
void CompleteClassTabs(WorkingTable& tabs, int64_t largestTabId);

}  // namespace kelvane

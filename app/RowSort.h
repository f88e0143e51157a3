#pragma once

#include <vector>

#include "app/SortOrder.h"

namespace kelvane {

class RecordTable;

// Orders stored records (table rows) by one column's cells: numbers as numbers (hexadecimal
// columns by the unsigned value they show), texts byte by byte, blanks first. Records with
// equal cells keep their order, in either direction; file order leaves the rows as they are
// given. The table must be browsing.
void SortRows(const RecordTable& table, int column, SortOrder order, std::vector<int>& rows);

}  // namespace kelvane

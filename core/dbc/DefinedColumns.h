#pragma once

#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/table/FieldDef.h"
#include "core/table/RecordTable.h"

namespace kelvane {

// The columns of a table whose fields definitions 0 to count - 1 describe: Index, then one
// column per field. A field whose cell in cells is narrower than 4 bytes holds a number, so a
// string field there gets an integer column; fields past cells keep their kind.
std::vector<ColumnDef> ColumnsOfDefinitions(const FieldDefList& defs, int count,
                                            const CellLayout& cells = {});

// Replaces the table's columns with these and opens it empty. Definitions the table refuses
// (a name given twice) leave the open table as it was.
void CreateColumns(RecordTable& table, const std::vector<ColumnDef>& columns);

}  // namespace kelvane

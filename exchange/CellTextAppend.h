#pragma once

#include <string>

namespace kelvane {

class RecordTable;

// Appends the text of one cell to a line without building a string of its own for numbers:
// integers in signed decimal, floats in general format with the user's decimal separator,
// strings as stored, blank cells nothing. row is a view row; -1 (no current record) appends
// nothing.
void AppendCellText(std::string& out, const RecordTable& table, int row, int column);

}  // namespace kelvane

#pragma once

#include <string>
#include <vector>

namespace kelvane {

class RecordTable;

// What the Cell pane says about a cell beside its text, one line each: a text's length; an
// integer in hexadecimal and as the 32-bit float with the same bits; a float's 32 bits in
// hexadecimal and as an integer. A blank number says so.
std::vector<std::string> CellFacts(const RecordTable& table, int row, int column);

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Rows of cell texts, as copied from the grid or pasted into it.
using CellTexts = std::vector<std::vector<std::string>>;

// Tab-separated text as spreadsheets put it on the clipboard: cells split by tabs, rows ended by
// LF, and a cell holding a tab, a line break or a leading quote written in quotes with its
// quotes doubled. The last row has no line end, so a single cell copies as its bare text.
std::string WriteTabSeparated(const CellTexts& rows);

// Reads what WriteTabSeparated writes and what spreadsheets copy: CR LF or LF line ends, a
// final line end or none, quoted cells. A quote that does not close a cell (text after the
// closing quote, or none at all) leaves the cell read as it stands, quotes included. No text at
// all reads as no rows.
CellTexts ReadTabSeparated(std::string_view text);

}  // namespace kelvane

#pragma once

#include <vector>

#include "app/TabSeparatedText.h"

namespace kelvane {

class RecordTable;

// The texts the grid shows (hex columns in hexadecimal) of the given rows, in that order, and
// of the columns firstColumn to lastColumn; with captions, the columns' captions come first.
CellTexts CopyCells(const RecordTable& table, const std::vector<int>& rows, int firstColumn,
                    int lastColumn, bool withCaptions);

}  // namespace kelvane

#include "app/CellCopy.h"

#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

namespace kelvane {

CellTexts CopyCells(const RecordTable& table, const std::vector<int>& rows, int firstColumn,
                    int lastColumn, bool withCaptions) {
    CellTexts texts;
    if (withCaptions) {
        auto& captions = texts.emplace_back();
        for (int column = firstColumn; column <= lastColumn; ++column) {
            captions.push_back(table.Presentation(column).Caption);
        }
    }
    for (const int row : rows) {
        auto& cells = texts.emplace_back();
        for (int column = firstColumn; column <= lastColumn; ++column) {
            cells.push_back(table.DisplayText(row, column));
        }
    }
    return texts;
}

}  // namespace kelvane

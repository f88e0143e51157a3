#include "talents/WorkingTable.h"

#include <utility>

namespace kelvane {
namespace {

const std::string kEmpty;

}  // namespace

const std::string& WorkingTable::Cell(int column, int row) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columnCount_) {
        return kEmpty;
    }
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void WorkingTable::SetCell(int column, int row, std::string text) {
    if (column >= columnCount_) {
        columnCount_ = column + 1;
        for (auto& cells : rows_) {
            cells.resize(static_cast<size_t>(columnCount_));
        }
    }
    rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)) = std::move(text);
}

int WorkingTable::AddRow() {
    rows_.emplace_back(static_cast<size_t>(columnCount_));
    return RowCount() - 1;
}

int WorkingTable::FindRow(int column, const std::string& text) const {
    for (int row = 0; row < RowCount(); ++row) {
        if (Cell(column, row) == text) {
            return row;
        }
    }
    return -1;
}

}  // namespace kelvane

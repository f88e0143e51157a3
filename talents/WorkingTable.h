#pragma once

#include <string>
#include <vector>

namespace kelvane {

// A hidden table of text cells addressed by column and row, both counted from 0. Rows are as
// wide as the table; a cell outside it reads as empty, and writing one widens the table.
class WorkingTable {
  public:
    explicit WorkingTable(int columnCount) : columnCount_(columnCount) {}

    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

    // Adds an empty row at the end and returns its number.
    int AddRow();
    // Removes every row.
    void Clear() { rows_.clear(); }
    // The first row whose cell in the column holds exactly the text, or -1.
    int FindRow(int column, const std::string& text) const;

  private:
    int columnCount_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace kelvane

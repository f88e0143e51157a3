#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kelvane {

// Where the finished lines of a whole-table pass go: into a list, or straight into a file.
using LineTaker = std::function<void(const std::string& line)>;

inline LineTaker IntoList(std::vector<std::string>& lines) {
    return [&lines](const std::string& line) { lines.push_back(line); };
}

// Records a whole-table pass takes at a time.
inline constexpr int kSweepRecords = 64;

// Visits the cells of the rows firstRow to endRow - 1 and the columns firstColumn to
// columnCount - 1 for a pass that builds one text per record. Each record's cells still come
// left to right, but a batch of records at a time, column by column: the cells of one column
// lie side by side in the table's storage, so a batch reads them in one sweep rather than one
// cache line from every column array for each record.
//
// The visitor has BeginRecord(slot, row), Cell(slot, row, column) and EndRecord(slot, row),
// slot being the record's place in the batch (0 to kSweepRecords - 1).
template <class Visitor>
void SweepRecords(int firstRow, int endRow, int firstColumn, int columnCount, Visitor& visitor) {
    for (int first = firstRow; first < endRow; first += kSweepRecords) {
        const int count = std::min(kSweepRecords, endRow - first);
        for (int slot = 0; slot < count; ++slot) {
            visitor.BeginRecord(slot, first + slot);
        }
        for (int column = firstColumn; column < columnCount; ++column) {
            for (int slot = 0; slot < count; ++slot) {
                visitor.Cell(slot, first + slot, column);
            }
        }
        for (int slot = 0; slot < count; ++slot) {
            visitor.EndRecord(slot, first + slot);
        }
    }
}

}  // namespace kelvane

#pragma once

#include <string_view>

namespace kelvane {

class RecordTable;
class RecordView;

// The columns Go to looks in: Index, or the key (the first field column).
inline constexpr int GoToIndexColumn = 0;
inline constexpr int GoToKeyColumn = 1;

// Makes the first shown record (in the order shown) whose cell in the column reads as the
// text current, comparing the texts the grid shows without case (hexadecimal as shown).
// Fails with a message naming the column and the value when no shown record has it.
void GoToRecord(RecordTable& table, const RecordView& view, int column, std::string_view text);

}  // namespace kelvane

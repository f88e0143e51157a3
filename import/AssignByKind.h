#pragma once

#include <string_view>

namespace kelvane {

class RecordTable;

// Stores a key line's value into the column of the current record that the key names (letter
// case ignored): a string column takes the whole value text, an integer column IntegerValue
// and a float column FloatValue of the line. Fails with "Field '%s' not found" when no column
// has that name.
void AssignByKind(RecordTable& table, std::string_view key, std::string_view line);

}  // namespace kelvane

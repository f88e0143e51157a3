#pragma once

#include <span>
#include <string>

namespace kelvane {

class RecordTable;

// A text for the column of that name in the current record.
struct ColumnAssignment {
    std::string Column;
    std::string Text;
};

// Puts the current record into editing and assigns the texts in order, each to the column of
// its name (letter case ignored), by the text rules of the column's kind. The record is not
// posted: moving the cursor or saving commits it. A missing column fails with
// "Field '%s' not found" and a text its column cannot take with the field's conversion
// message; the columns before it stay assigned.
void ApplyColumnAssignments(RecordTable& table, std::span<const ColumnAssignment> assignments);

}  // namespace kelvane

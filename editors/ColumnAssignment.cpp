#include "editors/ColumnAssignment.h"

#include "core/table/Field.h"
#include "core/table/RecordTable.h"

namespace kelvane {

void ApplyColumnAssignments(RecordTable& table, std::span<const ColumnAssignment> assignments) {
    table.Edit();
    for (const ColumnAssignment& assignment : assignments) {
        table.FieldByName(assignment.Column).SetAsString(assignment.Text);
    }
}

}  // namespace kelvane

#pragma once

namespace kelvane {

// What the cursor of a RecordTable is doing with its current record.
enum class TableState { Browse, Edit, Insert };

}  // namespace kelvane

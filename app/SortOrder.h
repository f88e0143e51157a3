#pragma once

namespace kelvane {

// How the shown records are ordered: as in the file (by Index), or by one column.
enum class SortOrder { FileOrder, Ascending, Descending };

}  // namespace kelvane

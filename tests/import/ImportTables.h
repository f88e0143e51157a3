#pragma once

#include <string>
#include <utility>

#include "core/table/RecordTable.h"
#include "import/ScriptImports.h"
#include "import/ScriptLines.h"

namespace kelvane::testing {

// Imports a script given as text into the table.
inline ImportReport ImportText(RecordTable& table, ScriptImport kind, std::string text) {
    const ScriptLines lines(std::move(text));
    return ImportScript(table, kind, lines);
}

// The cell of a column, found by name, in a view row, as the table's own text.
inline std::string Cell(const RecordTable& table, int row, const std::string& column) {
    return table.CellText(row, table.FindColumn(column));
}

// A float cell as the 32-bit value the importers store.
inline float FloatCell(const RecordTable& table, int row, const std::string& column) {
    return static_cast<float>(table.FloatAt(row, table.FindColumn(column)));
}

}  // namespace kelvane::testing

#pragma once

#include <string>
#include <string_view>

#include "core/definitions/TableDefinitions.h"
#include "core/table/FieldKind.h"

namespace kelvane {

// What the definitions say about a grid column: field i is column i + 1, so the Index column
// and columns past what the definitions describe get an empty entry.
const ColumnHelp& HelpOfColumn(const TableDefinitions& definitions, int column);

// The tooltip of a column title, one fact a line: "Name (integer)", the definition's comment,
// "Key", "Refers to Table::Column"; the lines the definitions leave empty are left out.
std::string ColumnHeaderTip(std::string_view name, FieldKind kind, const ColumnHelp& help);

}  // namespace kelvane

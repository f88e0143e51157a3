#pragma once

#include <string>
#include <vector>

#include "core/table/ColumnStore.h"
#include "core/table/FieldKind.h"
#include "core/table/StringPool.h"

namespace kelvane {

struct ColumnDef {
    std::string Name;
    FieldKind Kind = FieldKind::ftInteger;
    bool Required = false;
};

// Cells of whole columns handed over in one piece by the DBC reader: one store per table
// column (Index first), slots in record order, Index ascending.
struct LoadedRows {
    StringPool Strings;
    std::vector<ColumnStore> Columns;
};

}  // namespace kelvane

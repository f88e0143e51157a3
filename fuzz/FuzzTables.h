#pragma once

// What the DBC fuzz targets share: a workspace whose columns read every cell each way, and the
// column count an input asks for.
#include <algorithm>
#include <string>
#include <string_view>

#include "core/DbcFormat.h"
#include "core/Workspace.h"

namespace kelvane::fuzz {

// Field i is an integer, string or float column in turn, so every cell is read each way.
inline Workspace& FuzzWorkspace() {
    static Workspace* const workspace = [] {
        auto* created = new Workspace;
        for (int field = 0; field < MaxFieldCount; ++field) {
            FieldDef& def = created->Defs[field];
            def.Name = "F" + std::to_string(field);
            def.Kind = static_cast<FieldKind>(field % 3);
        }
        return created;
    }();
    return *workspace;
}

// One column per field of the header, when there is a header.
inline int ColumnsFor(std::string_view bytes) {
    if (bytes.size() < DbcHeaderSize) {
        return 0;
    }
    return std::clamp(ParseDbcHeader(bytes).FieldCount, 0, MaxFieldCount);
}

}  // namespace kelvane::fuzz

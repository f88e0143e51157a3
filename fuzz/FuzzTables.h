#pragma once

// What the DBC fuzz targets share: a workspace whose columns read every cell each way, and the
// columns an input asks for.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/dbc/DbcFormat.h"
#include "core/workspace/Workspace.h"

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

// Gives the fields sizes in a repeating pattern (32, 8, 16, 32 bits) when the header's record
// size is what they add up to, and none otherwise (the record size decides), so cells of
// every width are read and written. Returns the column count, as ColumnsFor.
inline int PrepareColumns(Workspace& workspace, std::string_view bytes) {
    constexpr int kPattern[] = {32, 8, 16, 32};
    const int columns = ColumnsFor(bytes);
    int64_t recordSize = 0;
    for (int field = 0; field < columns; ++field) {
        recordSize += kPattern[field % 4] / 8;
    }
    const bool fits = columns > 0 && ParseDbcHeader(bytes).RecordSize == recordSize;
    for (int field = 0; field < columns; ++field) {
        workspace.Defs[field].Bits = fits ? kPattern[field % 4] : 0;
    }
    return columns;
}

}  // namespace kelvane::fuzz

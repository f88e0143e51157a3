// Loads arbitrary bytes as a DBC file into columns of every kind, with cells of 8, 16 and 32
// bits where the header's record size fits them. A load either fails with a clear error or
// gives a table; that table must save, and what it saves must load and save to the same bytes
// again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/DbcFormat.h"
#include "core/DbcReader.h"
#include "core/DbcWriter.h"
#include "core/KelvaneError.h"
#include "core/Workspace.h"

namespace {

const std::string kPath = "fuzz.dbc";

// Field i is an integer, string or float column in turn, so every cell is read each way.
kelvane::Workspace& FuzzWorkspace() {
    static kelvane::Workspace* const workspace = [] {
        auto* created = new kelvane::Workspace;
        for (int field = 0; field < kelvane::MaxFieldCount; ++field) {
            kelvane::FieldDef& def = created->Defs[field];
            def.Name = "F" + std::to_string(field);
            def.Kind = static_cast<kelvane::FieldKind>(field % 3);
        }
        return created;
    }();
    return *workspace;
}

// Sizes in a repeating pattern (32, 8, 16, 32 bits) when the header's record size is what they
// add up to; no sizes otherwise, so the record size decides.
void GiveSizesWhereTheyFit(kelvane::Workspace& workspace, std::string_view bytes, int columns) {
    constexpr int kPattern[] = {32, 8, 16, 32};
    int64_t recordSize = 0;
    for (int field = 0; field < columns; ++field) {
        recordSize += kPattern[field % 4] / 8;
    }
    const bool fits = columns > 0 && kelvane::ParseDbcHeader(bytes).RecordSize == recordSize;
    for (int field = 0; field < columns; ++field) {
        workspace.Defs[field].Bits = fits ? kPattern[field % 4] : 0;
    }
}

// One column per field of the header, when there is a header.
int ColumnsFor(std::string_view bytes) {
    if (bytes.size() < kelvane::DbcHeaderSize) {
        return 0;
    }
    return std::clamp(kelvane::ParseDbcHeader(bytes).FieldCount, 0, kelvane::MaxFieldCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelvane::Workspace& workspace = FuzzWorkspace();
    const int columns = ColumnsFor(bytes);
    GiveSizesWhereTheyFit(workspace, bytes, columns);
    try {
        kelvane::LoadDbcBytes(workspace, kPath, bytes, false, columns);
    } catch (const kelvane::KelvaneError&) {
        return 0;
    }
    // From here on nothing may fail: a loaded table always saves and reloads.
    try {
        const std::string saved = kelvane::EncodeDbcTable(workspace);
        kelvane::LoadDbcBytes(workspace, kPath, saved, false, columns);
        if (kelvane::EncodeDbcTable(workspace) != saved) {
            std::abort();
        }
    } catch (const kelvane::KelvaneError&) {
        std::abort();
    }
    return 0;
}

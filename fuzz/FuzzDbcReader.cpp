// Loads arbitrary bytes as a DBC file into columns of every kind, with cells of 8, 16 and 32
// bits where the header's record size fits them. A load either fails with a clear error or
// gives a table; that table must save, and what it saves must load and save to the same bytes
// again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/workspace/WorkspaceFiles.h"
#include "fuzz/FuzzTables.h"

namespace {

const std::string kPath = "fuzz.dbc";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelvane::Workspace& workspace = kelvane::fuzz::FuzzWorkspace();
    const int columns = kelvane::fuzz::PrepareColumns(workspace, bytes);
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

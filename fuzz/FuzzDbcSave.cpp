// Loads arbitrary bytes as a DBC file, saves the table to a real file through the atomic writer
// and loads that file back. A load either fails with a clear error or gives a table; that table
// must save, the saved file must load to a table that saves the same bytes again, and the
// folder must hold the saved file and nothing else (no temporary file left behind).
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/files/FileIo.h"
#include "core/workspace/WorkspaceFiles.h"
#include "fuzz/FuzzTables.h"

namespace {

// A folder of its own, in memory where the system offers one since every save flushes it, and
// removed when the fuzzer ends.
class FuzzFolder {
  public:
    FuzzFolder() {
        const std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        path_ = base + "/kelvane-fuzz-save-XXXXXX";
        if (::mkdtemp(path_.data()) == nullptr) {
            std::abort();
        }
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

const FuzzFolder kFolder;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = kFolder.Path() + "/fuzz.dbc";
    kelvane::Workspace& workspace = kelvane::fuzz::FuzzWorkspace();
    const int columns = kelvane::fuzz::PrepareColumns(workspace, bytes);
    try {
        kelvane::LoadDbcBytes(workspace, path, bytes, false, columns);
    } catch (const kelvane::KelvaneError&) {
        return 0;
    }
    // From here on nothing may fail: a loaded table always saves and reloads.
    try {
        kelvane::SaveDbcFile(workspace, path);
        const std::string saved = kelvane::ReadWholeFile(path, kelvane::NamedBy::User);
        kelvane::LoadDbcFile(workspace, path, false, columns);
        if (kelvane::EncodeDbcTable(workspace) != saved) {
            std::abort();
        }
        // The reloaded table is the file on disk: saving it again is no lost update.
        kelvane::SaveDbcFile(workspace, path);
        if (kelvane::ReadWholeFile(path, kelvane::NamedBy::User) != saved) {
            std::abort();
        }
    } catch (const kelvane::KelvaneError&) {
        std::abort();
    }
    const auto entries = std::distance(std::filesystem::directory_iterator(kFolder.Path()),
                                       std::filesystem::directory_iterator());
    if (entries != 1) {
        std::abort();
    }
    return 0;
}

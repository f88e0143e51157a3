#pragma once

#include <new>
#include <string>

#include "core/base/KelvaneError.h"

namespace kelvane {

enum class FileWork { Loading, Saving, Importing };

// "Cannot load "%s": the file is too large for the memory available."; for a save, "Cannot
// save "%s": the table is too large for the memory available. Nothing was written."; for an
// import into the open table (CSV, SQLite, patch or script), "Cannot import "%s": the table with
// what the file adds is too large for the memory available."
std::string TooLargeForMemoryMessage(FileWork work, const std::string& path);

// Runs work that loads, saves or imports path and returns its result. Running out of memory there
// becomes a KelvaneError naming the file, so the command's handler shows what went wrong
// instead of a bare allocation failure; a save that fails this way has written nothing, since
// the target is replaced only at its very end.
template <typename Work>
auto GuardMemory(FileWork work, const std::string& path, Work&& run) -> decltype(run()) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        throw KelvaneError(TooLargeForMemoryMessage(work, path));
    }
}

}  // namespace kelvane

#include "core/FileMemoryGuard.h"

namespace kelvane {

std::string TooLargeForMemoryMessage(FileWork work, const std::string& path) {
    if (work == FileWork::Loading) {
        return "Cannot load \"" + path + "\": the file is too large for the memory available.";
    }
    return "Cannot save \"" + path +
           "\": the table is too large for the memory available. Nothing was written.";
}

}  // namespace kelvane

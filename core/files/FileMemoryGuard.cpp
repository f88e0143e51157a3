#include "core/files/FileMemoryGuard.h"

namespace kelvane {

std::string TooLargeForMemoryMessage(FileWork work, const std::string& path) {
    switch (work) {
        case FileWork::Loading:
            return "Cannot load \"" + path + "\": the file is too large for the memory available.";
        case FileWork::Saving:
            return "Cannot save \"" + path +
                   "\": the table is too large for the memory available. Nothing was written.";
        case FileWork::Importing:
            break;
    }
    return "Cannot import \"" + path +
           "\": the table with what the file adds is too large for the memory available.";
}

}  // namespace kelvane

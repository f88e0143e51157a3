#include "core/files/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <string_view>

namespace kelvane {

std::vector<std::string> FolderEntryNames(int folderFd) {
    std::vector<std::string> names;
    // The directory stream takes its own descriptor and starts from the top.
    const int own = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = own < 0 ? nullptr : ::fdopendir(own);
    if (folder == nullptr) {
        if (own >= 0) {
            ::close(own);
        }
        return names;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(folder);
    return names;
}

void RemoveFilesIn(int folderFd) {
    for (const std::string& name : FolderEntryNames(folderFd)) {
        ::unlinkat(folderFd, name.c_str(), 0);
    }
}

}  // namespace kelvane

#include "core/files/SideFileFolder.h"

#include <unistd.h>

#include "core/files/TablePaths.h"
#include "core/files/UserFolders.h"

namespace kelvane {
namespace {

// Not an installed program's folder, and the user's to write.
bool KeepsSideFilesBesideItself(const std::string& programFolder) {
    return FileNameOfPath(programFolder) != "bin" && ::access(programFolder.c_str(), W_OK) == 0;
}

}  // namespace

std::string SideFileFolder(const std::string& programFolder) {
    if (KeepsSideFilesBesideItself(programFolder)) {
        return programFolder;
    }
    const std::string data = UserDataFolder();
    // Without a home there is nowhere else; writing then fails with the folder's name.
    return data.empty() ? programFolder : JoinPath(data, "kelvane");
}

}  // namespace kelvane

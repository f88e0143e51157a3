#include "core/files/FileSnapshot.h"

#include <sys/stat.h>

#include "core/files/ResolvedPath.h"

namespace kelvane {

std::optional<FileSnapshot> FileSnapshot::Take(const std::string& path) {
    const ResolvedPath resolved = ResolvedPath::Of(path);
    struct stat info {};
    if (resolved.Error != 0 || ::stat(resolved.Path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileSnapshot{resolved.CanonicalPath, FileIdentity::Of(info)};
}

}  // namespace kelvane

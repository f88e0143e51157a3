#include "core/files/ResolvedPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "core/files/TablePaths.h"

namespace kelvane {
namespace {

// As many links in a row as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ResolvedPath Failure(int error) {
    ResolvedPath failed;
    failed.Error = error;
    return failed;
}

}  // namespace

ResolvedPath ResolvedPath::Of(const std::string& path) {
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return Failure(errno);
            }
            break;  // a new file, or the missing target of a link
        }
        if (!S_ISLNK(info.st_mode)) {
            break;
        }
        if (hops == kMaxLinkHops) {
            return Failure(ELOOP);
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            return Failure(errno);
        }
        target.resize(static_cast<size_t>(length));
        current = target.starts_with('/') ? target : JoinPath(FolderOfPath(current), target);
    }
    ResolvedPath resolved;
    resolved.Path = current;
    resolved.Folder = FolderOfPath(current);
    resolved.FileName = FileNameOf(current);
    const std::unique_ptr<char, decltype(&std::free)> folder(
        ::realpath(resolved.Folder.empty() ? "." : resolved.Folder.c_str(), nullptr), &std::free);
    if (folder == nullptr) {
        return Failure(errno);
    }
    resolved.CanonicalPath = JoinPath(folder.get(), resolved.FileName);
    return resolved;
}

}  // namespace kelvane

#include "core/files/TargetAttributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace kelvane {
namespace {

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void CopyOwner(const struct stat& target, int fd) {
    if (::fchown(fd, target.st_uid, target.st_gid) == 0) {
        return;
    }
    // Not the superuser: a member of the file's group may still hand the file to that group.
    if (::fchown(fd, static_cast<uid_t>(-1), target.st_gid) != 0) {
        // Neither: the file becomes the saving user's, as any new file would.
    }
}

// Attributes the file system or the user's rights refuse are left behind, as a copy would.
void CopyExtendedAttributes(const std::string& targetPath, int fd) {
    const ssize_t listSize = ::listxattr(targetPath.c_str(), nullptr, 0);
    if (listSize <= 0) {
        return;
    }
    std::string names(static_cast<size_t>(listSize), '\0');
    const ssize_t listed = ::listxattr(targetPath.c_str(), names.data(), names.size());
    names.resize(listed > 0 ? static_cast<size_t>(listed) : 0);
    for (size_t start = 0; start < names.size();) {
        const std::string name(std::string_view(names).substr(start).data());
        start += name.size() + 1;
        const ssize_t valueSize = ::getxattr(targetPath.c_str(), name.c_str(), nullptr, 0);
        if (valueSize < 0) {
            continue;
        }
        std::string value(static_cast<size_t>(valueSize), '\0');
        const ssize_t read =
            ::getxattr(targetPath.c_str(), name.c_str(), value.data(), value.size());
        if (read >= 0) {
            ::fsetxattr(fd, name.c_str(), value.data(), static_cast<size_t>(read), 0);
        }
    }
}

}  // namespace

int GiveTargetAttributes(const std::string& targetPath, const std::optional<struct stat>& target,
                         int fd) {
    if (!target) {
        return ::fchmod(fd, DefaultMode()) == 0 ? 0 : errno;
    }
    // Changing the owner clears set-user-ID bits, so the permission bits come last.
    CopyOwner(*target, fd);
    CopyExtendedAttributes(targetPath, fd);
    return ::fchmod(fd, target->st_mode & 07777) == 0 ? 0 : errno;
}

}  // namespace kelvane

#include "core/files/SaveTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/files/FileChangedError.h"
#include "core/files/FileTypeText.h"

namespace kelvane {
namespace {

// The system's answer for the user, and the mode bits besides: the system lets the superuser
// write anything, but a file nobody may write is meant to stay as it is, for root too.
bool IsReadOnly(const std::string& path, const struct stat& info) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 ||
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string CannotCreateMessage(const std::string& path, int error) {
    return "Cannot create file \"" + path + "\". " + std::strerror(error);
}

SaveTarget::SaveTarget(std::string path)
    : path_(std::move(path)), resolved_(ResolvedPath::Of(path_)) {
    if (resolved_.Error != 0) {
        Fail(resolved_.Error);
    }
    Check();
}

std::optional<struct stat> SaveTarget::Check() const {
    struct stat info {};
    if (::lstat(resolved_.Path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        Fail(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        // A file that became a symbolic link after the first look is refused too.
        Refuse(std::string("is ") + FileTypeText(info.st_mode) + ", not a file");
    }
    if (IsReadOnly(resolved_.Path, info)) {
        Refuse("is read-only");
    }
    // Replacing the file would part this name from the others, and writing into it in place
    // could leave every name with half a file after a crash.
    if (info.st_nlink > 1) {
        Refuse("has " + std::to_string(info.st_nlink) +
               " names (hard links), and saving would give this name a copy of its own");
    }
    return info;
}

void SaveTarget::CheckUnchanged(const std::optional<struct stat>& now,
                                const std::optional<FileSnapshot>& loaded) const {
    if (!now || !loaded || loaded->CanonicalPath != resolved_.CanonicalPath) {
        return;
    }
    const FileIdentity current = FileIdentity::Of(*now);
    if (current != loaded->Identity) {
        throw FileChangedError(path_, FileSnapshot{resolved_.CanonicalPath, current});
    }
}

void SaveTarget::Fail(int error) const {
    throw KelvaneError(CannotCreateMessage(path_, error));
}

// The path as given, and the file it leads to when a link leads elsewhere.
void SaveTarget::Refuse(const std::string& reason) const {
    std::string named = "\"" + path_ + "\"";
    if (resolved_.Path != path_) {
        named += " (a link to \"" + resolved_.Path + "\")";
    }
    throw KelvaneError(named + " " + reason + ". Nothing was saved.");
}

}  // namespace kelvane

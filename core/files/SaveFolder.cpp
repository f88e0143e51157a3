#include "core/files/SaveFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/files/FolderEntries.h"
#include "core/files/TemporaryNames.h"

namespace kelvane {
namespace {

// Takes the lock without waiting; a live save holds it, so whoever gets it has a leftover.
bool TryLock(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Removes one entry of the folder when it is a crash's leftover: a temporary file or a staging
// folder that nobody holds locked.
void RemoveIfStale(int folderFd, const std::string& name) {
    const UniqueFd entry(
        ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!entry.IsOpen() || ::fstat(entry.Get(), &info) != 0 || !TryLock(entry.Get())) {
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        RemoveFilesIn(entry.Get());
        ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
    } else if (S_ISREG(info.st_mode)) {
        ::unlinkat(folderFd, name.c_str(), 0);
    }
}

}  // namespace

SaveFolder::SaveFolder(const std::string& path)
    : path_(path),
      fd_(::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

SaveFolder::Lock::Lock(const SaveFolder& folder) : fd_(folder.fd_.Get()) {
    // A file system without locks (some network mounts) saves unlocked, as before.
    while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

SaveFolder::Lock::~Lock() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
    }
}

void SaveFolder::RemoveStale(std::string_view prefix) const {
    if (!fd_.IsOpen()) {
        return;
    }
    for (const std::string& name : FolderEntryNames(fd_.Get())) {
        if (name.size() == prefix.size() + RandomNamePart.size() && name.starts_with(prefix)) {
            RemoveIfStale(fd_.Get(), name);
        }
    }
}

int SaveFolder::Sync() const {
    return !fd_.IsOpen() || ::fsync(fd_.Get()) == 0 ? 0 : errno;
}

}  // namespace kelvane

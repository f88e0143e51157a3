#include "core/files/TemporaryFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>

#include <cerrno>
#include <cstdio>

#include "core/files/SaveFolder.h"
#include "core/files/SaveTarget.h"
#include "core/files/TablePaths.h"
#include "core/files/TemporaryNames.h"

namespace kelvane {

TemporaryFile::TemporaryFile(const SaveFolder& folder, const SaveTarget& target) {
    // Locked from creation on: under the folder's lock no other save can see it unlocked.
    const SaveFolder::Lock lock(folder);
    const std::string prefix = TemporaryFilePrefix(target.Resolved().FileName);
    folder.RemoveStale(prefix);
    path_ = JoinPath(folder.Path(), prefix + std::string(RandomNamePart));
    fd_ = UniqueFd(::mkostemp(path_.data(), O_CLOEXEC));
    if (!fd_.IsOpen()) {
        target.Fail(errno);
    }
    ::flock(fd_.Get(), LOCK_EX | LOCK_NB);
}

TemporaryFile::~TemporaryFile() {
    if (!replaced_) {
        ::unlink(path_.c_str());
    }
}

int TemporaryFile::ReplaceTarget(const SaveTarget& target) {
    if (std::rename(path_.c_str(), target.Resolved().Path.c_str()) != 0) {
        return errno;
    }
    replaced_ = true;
    return 0;
}

}  // namespace kelvane

#include "core/files/StagingFolder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/FolderEntries.h"
#include "core/files/SaveFolder.h"
#include "core/files/SaveTarget.h"
#include "core/files/TablePaths.h"
#include "core/files/TemporaryNames.h"

namespace kelvane {

StagingFolder::StagingFolder(const SaveFolder& parent, const SaveTarget& target) {
    const SaveFolder::Lock lock(parent);
    parent.RemoveStale(StagingFolderPrefix);
    path_ = JoinPath(parent.Path(), std::string(StagingFolderPrefix) + std::string(RandomNamePart));
    if (::mkdtemp(path_.data()) == nullptr) {
        target.Fail(errno);
    }
    fd_ = UniqueFd(::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd_.IsOpen()) {
        const int error = errno;
        ::rmdir(path_.c_str());
        target.Fail(error);
    }
    ::flock(fd_.Get(), LOCK_EX | LOCK_NB);
}

StagingFolder::~StagingFolder() {
    RemoveFilesIn(fd_.Get());
    ::rmdir(path_.c_str());
}

}  // namespace kelvane

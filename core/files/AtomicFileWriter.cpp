#include "core/files/AtomicFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "core/files/SaveStep.h"
#include "core/files/TargetAttributes.h"
#include "core/files/WriteAllAt.h"

namespace kelvane {
namespace {

// Checked before the temporary file is made, so a refused save writes nothing at all.
SaveTarget CheckedTarget(std::string path, const std::optional<FileSnapshot>& loaded) {
    SaveTarget target(std::move(path));
    target.CheckUnchanged(target.Check(), loaded);
    return target;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path, const std::optional<FileSnapshot>& loaded)
    : target_(CheckedTarget(std::move(path), loaded)),
      loaded_(loaded),
      folder_(target_.Resolved().Folder),
      temporary_(folder_, target_) {}

void AtomicFileWriter::Append(std::string_view bytes) {
    WriteAt(size_, bytes);
}

void AtomicFileWriter::WriteAt(uint64_t offset, std::string_view bytes) {
    if (const int error = WriteAllAt(temporary_.Fd(), offset, bytes); error != 0) {
        target_.Fail(error);
    }
    size_ = std::max(size_, offset + bytes.size());
}

FileSnapshot AtomicFileWriter::Commit() {
    NotifySaveStep(SaveStep::TemporaryWritten);
    const int fd = temporary_.Fd();
    if (const int error = GiveTargetAttributes(target_.Resolved().Path, target_.Check(), fd);
        error != 0) {
        target_.Fail(error);
    }
    if (::fsync(fd) != 0) {
        target_.Fail(errno);
    }
    NotifySaveStep(SaveStep::TemporarySynced);
    {
        // Another Kelvane saving the same file waits here, and then sees this save's file.
        const SaveFolder::Lock lock(folder_);
        target_.CheckUnchanged(target_.Check(), loaded_);
        if (const int error = temporary_.ReplaceTarget(target_); error != 0) {
            target_.Fail(error);
        }
        NotifySaveStep(SaveStep::Renamed);
        if (const int error = folder_.Sync(); error != 0) {
            target_.Fail(error);
        }
    }
    struct stat written {};
    if (::fstat(fd, &written) != 0) {
        target_.Fail(errno);
    }
    return FileSnapshot{target_.Resolved().CanonicalPath, FileIdentity::Of(written)};
}

}  // namespace kelvane

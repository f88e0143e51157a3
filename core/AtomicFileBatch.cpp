#include "core/AtomicFileBatch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "core/AtomicFileWriter.h"
#include "core/KelvaneError.h"
#include "core/TablePaths.h"

namespace kelvane {
namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
    throw KelvaneError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

// Flushes the whole file system the file lies on: one call for any number of files.
void FlushFileSystemOf(const std::string& temporaryPath, const std::string& path) {
    const int fd = ::open(temporaryPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail(path, errno);
    }
    const int result = ::syncfs(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) {
        Fail(path, error);
    }
}

}  // namespace

AtomicFileBatch::~AtomicFileBatch() {
    for (const PendingFile& file : pending_) {
        ::unlink(file.TemporaryPath.c_str());
    }
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Append(bytes);
    pending_.push_back({path, writer.Release()});
}

void AtomicFileBatch::Commit() {
    std::set<std::string> flushedFolders;
    for (const PendingFile& file : pending_) {
        if (flushedFolders.insert(FolderOfPath(file.Path)).second) {
            FlushFileSystemOf(file.TemporaryPath, file.Path);
        }
    }
    for (size_t renamed = 0; renamed < pending_.size(); ++renamed) {
        const PendingFile& file = pending_[renamed];
        if (::rename(file.TemporaryPath.c_str(), file.Path.c_str()) != 0) {
            const int error = errno;
            const std::string path = file.Path;
            // The files renamed so far stay; the rest are removed with the batch.
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(renamed));
            Fail(path, error);
        }
    }
    pending_.clear();
}

}  // namespace kelvane

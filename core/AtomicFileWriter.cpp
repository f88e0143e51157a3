#include "core/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/KelvaneError.h"
#include "core/TablePaths.h"

namespace kelvane {
namespace {

// The permissions a new file gets: those of the file it replaces, else the usual default.
mode_t ModeForTarget(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
    const size_t slash = path_.rfind('/');
    const std::string fileName = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    temporaryPath_ = JoinPath(FolderOfPath(path_), "." + fileName + ".XXXXXX");
    fd_ = ::mkstemp(temporaryPath_.data());
    if (fd_ < 0) {
        temporaryPath_.clear();
        Fail(errno);
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
    }
}

void AtomicFileWriter::Append(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            Fail(errno);
        }
        bytes.remove_prefix(written > 0 ? static_cast<size_t>(written) : 0);
    }
}

void AtomicFileWriter::WriteAt(uint64_t offset, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0 && errno != EINTR) {
            Fail(errno);
        }
        const size_t done = written > 0 ? static_cast<size_t>(written) : 0;
        bytes.remove_prefix(done);
        offset += done;
    }
}

void AtomicFileWriter::Commit() {
    if (::fchmod(fd_, ModeForTarget(path_)) != 0 || ::fsync(fd_) != 0) {
        Fail(errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        Fail(errno);
    }
    temporaryPath_.clear();
}

std::string AtomicFileWriter::Release() {
    const int fd = fd_;
    fd_ = -1;
    if (::fchmod(fd, ModeForTarget(path_)) != 0 || ::close(fd) != 0) {
        Fail(errno);
    }
    return std::exchange(temporaryPath_, std::string());
}

void AtomicFileWriter::Fail(int error) {
    throw KelvaneError("Cannot create file \"" + path_ + "\". " + std::strerror(error));
}

}  // namespace kelvane

#include "core/FileByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/KelvaneError.h"

namespace kelvane {
namespace {

[[noreturn]] void FailOpen(const std::string& path, int error) {
    throw KelvaneError("Cannot open file \"" + path + "\". " + std::strerror(error));
}

}  // namespace

FileByteSource::FileByteSource(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        FailOpen(path, errno);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd_);
        FailOpen(path, error);
    }
    size_ = static_cast<uint64_t>(info.st_size);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

FileByteSource::~FileByteSource() {
    ::close(fd_);
}

std::string_view FileByteSource::Read(uint64_t offset, size_t size) {
    if (buffer_.size() < size) {
        buffer_.resize(size);
    }
    ReadInto(offset, buffer_.data(), size);
    return std::string_view(buffer_.data(), size);
}

void FileByteSource::ReadInto(uint64_t offset, char* out, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t read =
            ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            throw KelvaneError("Cannot read file \"" + path_ + "\". " + std::strerror(errno));
        }
        if (read == 0) {
            throw KelvaneError("\"" + path_ + "\" became shorter while it was read.");
        }
        done += static_cast<size_t>(read);
    }
}

}  // namespace kelvane

#include "core/files/FileByteSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/base/KelvaneError.h"

namespace kelvane {

FileByteSource::FileByteSource(const std::string& path) : file_(path, NamedBy::User) {
    if (file_.IsStream()) {
        streamBytes_ = ReadRest(file_);
        size_ = streamBytes_.size();
        return;
    }
    size_ = file_.Size();
    ::posix_fadvise(file_.Fd(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

std::string_view FileByteSource::Read(uint64_t offset, size_t size) {
    if (file_.IsStream()) {
        return std::string_view(streamBytes_).substr(static_cast<size_t>(offset), size);
    }
    if (buffer_.size() < size) {
        buffer_.resize(size);
    }
    ReadInto(offset, buffer_.data(), size);
    return std::string_view(buffer_.data(), size);
}

void FileByteSource::ReadInto(uint64_t offset, char* out, size_t size) {
    if (file_.IsStream()) {
        const std::string_view bytes = Read(offset, size);
        std::copy(bytes.begin(), bytes.end(), out);
        return;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t read =
            ::pread(file_.Fd(), out + done, size - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            throw KelvaneError("Cannot read file \"" + file_.Path() + "\". " +
                               std::strerror(errno));
        }
        if (read == 0) {
            throw KelvaneError("\"" + file_.Path() + "\" became shorter while it was read.");
        }
        done += static_cast<size_t>(read);
    }
}

}  // namespace kelvane

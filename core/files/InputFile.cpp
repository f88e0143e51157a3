#include "core/files/InputFile.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/files/FileMemoryGuard.h"
#include "core/files/FileTypeText.h"

namespace kelvane {
namespace {

constexpr size_t kPieceBytes = size_t{1} << 16;

[[noreturn]] void FailOpen(const std::string& path, const std::string& reason) {
    throw KelvaneError("Cannot open file \"" + path + "\". " + reason);
}

uint64_t HalfTheMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageBytes <= 0) {
        return UINT64_MAX;
    }
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageBytes) / 2;
}

}  // namespace

InputFile::InputFile(std::string path, NamedBy namedBy) : path_(std::move(path)) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer before the file could
    // be looked at.
    fd_ = UniqueFd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd_.IsOpen()) {
        FailOpen(path_, std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd_.Get(), &info) != 0) {
        FailOpen(path_, std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        FailOpen(path_, std::strerror(EISDIR));
    }
    stream_ = S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode);
    if (!S_ISREG(info.st_mode) && (!stream_ || namedBy == NamedBy::Program)) {
        FailOpen(path_,
                 std::string("It is ") + FileTypeText(info.st_mode) + ", not a regular file.");
    }
    size_ = stream_ ? 0 : static_cast<uint64_t>(info.st_size);
}

size_t InputFile::ReadSome(char* out, size_t size) {
    for (;;) {
        if (stream_) {
            // Waits for bytes or the end. A named pipe nobody has opened for writing yet would
            // read as ended: poll waits for its first writer instead, as opening it would have.
            pollfd wait{fd_.Get(), POLLIN, 0};
            if (::poll(&wait, 1, -1) < 0 && errno == EINTR) {
                continue;
            }
        }
        const ssize_t read = ::read(fd_.Get(), out, size);
        if (read >= 0) {
            return static_cast<size_t>(read);
        }
        if (errno != EAGAIN && errno != EINTR) {
            throw KelvaneError("Cannot read file \"" + path_ + "\". " + std::strerror(errno));
        }
    }
}

std::string ReadRest(InputFile& file) {
    return ReadRest(file, HalfTheMemory());
}

std::string ReadRest(InputFile& file, uint64_t longestStream) {
    return GuardMemory(FileWork::Loading, file.Path(), [&] {
        std::string bytes;
        // A regular file is read in one piece of its size; one that grew meanwhile goes on.
        bytes.resize(file.IsStream() ? kPieceBytes : static_cast<size_t>(file.Size()) + 1);
        size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) {
                if (file.IsStream() && bytes.size() > longestStream) {
                    throw KelvaneError(TooLargeForMemoryMessage(FileWork::Loading, file.Path()));
                }
                bytes.resize(bytes.size() * 2);
            }
            const size_t read = file.ReadSome(bytes.data() + filled, bytes.size() - filled);
            if (read == 0) {
                break;
            }
            filled += read;
        }
        bytes.resize(filled);
        if (file.IsStream()) {
            bytes.shrink_to_fit();  // a stream's buffer grew by doubling
        }
        return bytes;
    });
}

}  // namespace kelvane

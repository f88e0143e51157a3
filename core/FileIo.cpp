#include "core/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/KelvaneError.h"
#include "core/TablePaths.h"

namespace kelvane {
namespace {

[[noreturn]] void FailCreate(const std::string& path, int error) {
    throw KelvaneError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

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

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    struct stat info {};
    if (!in || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        throw KelvaneError("Cannot open file \"" + path + "\". " + std::strerror(error));
    }
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        // The file changed size under us; take what is there.
        bytes.resize(static_cast<size_t>(in.gcount()));
        std::ostringstream rest;
        rest << in.rdbuf();
        bytes += rest.str();
    }
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::string folder = FolderOfPath(path);
    std::string temporary = JoinPath(folder, "." + path.substr(path.rfind('/') + 1) + ".XXXXXX");
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        FailCreate(path, errno);
    }
    const bool written =
        WriteAll(fd, bytes) && ::fchmod(fd, ModeForTarget(path)) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        FailCreate(path, written ? errno : writeError);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        FailCreate(path, renameError);
    }
}

}  // namespace kelvane

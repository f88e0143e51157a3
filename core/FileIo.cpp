#include "core/FileIo.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/AtomicFileWriter.h"
#include "core/KelvaneError.h"

namespace kelvane {

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
    AtomicFileWriter file(path);
    file.Append(bytes);
    file.Commit();
}

}  // namespace kelvane

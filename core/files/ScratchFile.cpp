#include "core/files/ScratchFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/InputFile.h"
#include "core/files/TablePaths.h"
#include "core/files/WriteAllAt.h"

namespace kelvane {

ScratchFile::ScratchFile(const std::string& standsFor) {
    const char* variable = std::getenv("TMPDIR");
    const std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    path_ = JoinPath(folder, "kelvane-XXXXXX");
    fd_ = UniqueFd(::mkostemp(path_.data(), O_CLOEXEC));
    if (!fd_.IsOpen()) {
        throw KelvaneError("Cannot copy \"" + standsFor + "\" into the temporary folder \"" +
                           folder + "\". " + std::strerror(errno));
    }
}

ScratchFile::~ScratchFile() {
    ::unlink(path_.c_str());
}

void CopyRest(InputFile& from, const ScratchFile& to) {
    std::vector<char> piece(size_t{1} << 16);
    uint64_t offset = 0;
    while (const size_t read = from.ReadSome(piece.data(), piece.size())) {
        if (const int error = WriteAllAt(to.Fd(), offset, std::string_view(piece.data(), read));
            error != 0) {
            throw KelvaneError("Cannot write file \"" + to.Path() + "\". " + std::strerror(error));
        }
        offset += read;
    }
}

}  // namespace kelvane

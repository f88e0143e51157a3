#include "core/files/WriteAllAt.h"

#include <unistd.h>

#include <cerrno>

namespace kelvane {

int WriteAllAt(int fd, uint64_t offset, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        const size_t done = written > 0 ? static_cast<size_t>(written) : 0;
        bytes.remove_prefix(done);
        offset += done;
    }
    return 0;
}

}  // namespace kelvane

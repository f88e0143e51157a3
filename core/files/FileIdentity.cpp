#include "core/files/FileIdentity.h"

namespace kelvane {

FileIdentity FileIdentity::Of(const struct stat& info) {
    constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
    return FileIdentity{
        static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
        static_cast<int64_t>(info.st_size),
        static_cast<int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond + info.st_mtim.tv_nsec};
}

}  // namespace kelvane

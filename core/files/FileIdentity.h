#pragma once

#include <sys/stat.h>

#include <cstdint>

namespace kelvane {

// Which version of a file is on disk: another program that saves it replaces it (a new inode)
// or rewrites it (a new size or modification time).
struct FileIdentity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNanoseconds = 0;

    static FileIdentity Of(const struct stat& info);
    bool operator==(const FileIdentity&) const = default;
};

}  // namespace kelvane

#include "core/files/TemporaryNames.h"

#include <cstdint>
#include <cstdio>

namespace kelvane {

// ".kelvane-" and the 64-bit FNV-1a hash of the name in hexadecimal: names that collide merely
// let one target's save clear the other's crash litter too.
std::string TemporaryFilePrefix(std::string_view targetFileName) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : targetFileName) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(".kelvane-") + hex + "-";
}

}  // namespace kelvane

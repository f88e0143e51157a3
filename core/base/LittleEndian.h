#pragma once

#include <cstdint>

namespace kelvane {

// DBC numbers are little-endian whatever the machine; compilers turn these into plain loads
// and stores on little-endian hosts.

inline uint32_t LoadUint32Le(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

inline uint16_t LoadUint16Le(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

inline void StoreUint16Le(char* bytes, uint16_t value) {
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void StoreUint32Le(char* bytes, uint32_t value) {
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>((value >> 8) & 0xFF);
    bytes[2] = static_cast<char>((value >> 16) & 0xFF);
    bytes[3] = static_cast<char>((value >> 24) & 0xFF);
}

}  // namespace kelvane

#pragma once

#include <cstddef>

namespace kelvane {

// The fewest index bits, and at least minimumBits, that keep an open-addressing table with
// `entries` entries at most half full.
inline int HalfFullIndexBits(size_t entries, int minimumBits) {
    int bits = minimumBits;
    while ((size_t{1} << bits) < 2 * entries) {
        ++bits;
    }
    return bits;
}

}  // namespace kelvane

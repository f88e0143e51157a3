#include "examples/generator/Random.h"

namespace kelvane {

uint32_t Random::Below(uint32_t bound) {
    // Multiply-shift: the high half of a 64-bit product lies in [0, bound).
    return static_cast<uint32_t>((static_cast<uint64_t>(engine_()) * bound) >> 32);
}

int32_t Random::Between(int32_t low, int32_t high) {
    const auto span = static_cast<uint32_t>(static_cast<int64_t>(high) - low + 1);
    return static_cast<int32_t>(static_cast<int64_t>(low) + Below(span));
}

uint32_t MixSeed(uint32_t seed, uint32_t stream) {
    // The finaliser of a 64-bit hash: nearby streams get unrelated seeds.
    uint64_t mixed = (static_cast<uint64_t>(seed) << 32) | stream;
    mixed ^= mixed >> 33;
    mixed *= 0xff51afd7ed558ccdULL;
    mixed ^= mixed >> 33;
    mixed *= 0xc4ceb9fe1a85ec53ULL;
    mixed ^= mixed >> 33;
    return static_cast<uint32_t>(mixed);
}

}  // namespace kelvane

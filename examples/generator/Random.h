#pragma once

#include <cstdint>
#include <iterator>
#include <random>

namespace kelvane {

// A deterministic stream of numbers for generated tables. The engine's output is fixed by the
// standard; the standard distributions are not, so the ranges are computed here and the same
// seed gives the same tables with every compiler and library.
class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}

    // Uniform in [0, bound); bound must be above 0.
    uint32_t Below(uint32_t bound);
    // Uniform in [low, high].
    int32_t Between(int32_t low, int32_t high);
    // True in about percent cases out of 100.
    bool Percent(int percent) { return Below(100) < static_cast<uint32_t>(percent); }

    // One of the items of an array, uniformly.
    template <class Items>
    const auto& Pick(const Items& items) {
        return items[Below(static_cast<uint32_t>(std::size(items)))];
    }

  private:
    std::mt19937 engine_;
};

// A seed for an independent stream, so that one column's numbers do not depend on how many
// another column drew.
uint32_t MixSeed(uint32_t seed, uint32_t stream);

}  // namespace kelvane

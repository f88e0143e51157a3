#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvane {

// The text of float cells for one pass over a table. Float columns hold few distinct values
// (0, 1, a handful of speeds and radii), so the texts of recent values are kept in a small
// table keyed by the value's bits, and most cells are written without formatting anything.
class FloatTextCache {
  public:
    void Append(std::string& out, double value);

  private:
    static constexpr size_t kSlots = 256;
    static constexpr size_t kLongestText = 23;  // "-1.23456789012345E-308"

    struct Slot {
        uint64_t Bits = 0;
        uint8_t Size = 0;  // 0: empty; every float has a text of at least one character
        std::array<char, kLongestText> Text{};
    };
    std::array<Slot, kSlots> slots_{};
};

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvane {

// The texts of a file's string block, by the offset they start at, and which of them string
// cells point at. It tells a cell that points into the middle of a text (the signature of an
// integer column read as a string) from one that points at a text, and counts the texts no
// cell points at, which a save would drop.
class TextStartMap {
  public:
    // readableEnd: offsets below it are followed by a terminator inside the block.
    TextStartMap(std::string_view block, size_t readableEnd);

    // Whether offset is the start of a text (the empty text included) and, if so, notes that
    // a cell points at it.
    bool Use(uint32_t offset) {
        if (offset >= readableEnd_ || !Bit(starts_, offset)) {
            return false;
        }
        used_[offset >> 6] |= uint64_t{1} << (offset & 63);
        return true;
    }

    // Texts of at least one byte that no call of Use pointed at.
    int UnusedTexts() const;

  private:
    static bool Bit(const std::vector<uint64_t>& bits, size_t offset) {
        return ((bits[offset >> 6] >> (offset & 63)) & 1) != 0;
    }

    std::string_view block_;
    size_t readableEnd_ = 0;
    std::vector<uint64_t> starts_;  // one bit per offset: a text starts there
    std::vector<uint64_t> used_;    // one bit per offset: a cell points there
};

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The string block of a DBC file being written: a zero byte at offset 0, then every distinct
// text once, each followed by a zero byte, in the order the texts are first placed. Texts are
// compared byte for byte, so "Fire" and "fire" are two texts.
class StringBlockBuilder {
  public:
    StringBlockBuilder();

    // The offset of the text in the block, placing it at the end when it is new; the empty text
    // is offset 0. Fails when the block would grow past MaxStringBlockSize.
    uint32_t Place(std::string_view text);
    // Makes room for that many texts of that many bytes in all, so placing them never rehashes
    // or copies the block.
    void Reserve(size_t texts, size_t bytes);
    const std::string& Block() const { return block_; }

  private:
    // A placed text, found by its hash; Offset 0 marks a free slot (no text is placed there).
    struct Slot {
        uint32_t Offset = 0;
        uint32_t Length = 0;
        size_t Hash = 0;
    };

    void Rehash(size_t slotCount);

    std::string block_;
    std::vector<Slot> slots_;  // open addressing, a power of two in size, at most half used
    size_t placed_ = 0;
};

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvane {

// What a string cell's offset points at in the string block.
enum class TextCell : uint8_t {
    Start,    // the start of a text, the empty text included
    MidText,  // the middle of a text: the signature of an integer column read as a string
    Outside,  // past the block's last terminator: no text at all
};

// The texts of a file's string block, by the offset they start at, and which of them string
// cells point at. It tells a cell that points into the middle of a text from one that points
// at a text, and counts the texts no cell points at, which a save would drop.
class TextStartMap {
  public:
    explicit TextStartMap(std::string_view block);

    // What offset points at; when it is a text's start, notes that a cell points there.
    TextCell Use(uint32_t offset) {
        if (offset >= readableEnd_) {
            // A block without any bytes holds no texts, yet a cell of 0 reads as the empty
            // text, and a save writes that text there: nothing a reader sees changes.
            return offset == 0 && block_.empty() ? TextCell::Start : TextCell::Outside;
        }
        uint64_t& word = marks_[offset >> 5];
        const unsigned shift = 2 * (offset & 31);
        if (((word >> shift) & kStart) != 0) {
            word |= kUsed << shift;
            return TextCell::Start;
        }
        return IsEmptyText(offset) ? TextCell::Start : TextCell::MidText;
    }

    // Offsets below this are followed by a terminator inside the block.
    size_t ReadableEnd() const { return readableEnd_; }
    // Texts of at least one byte that no call of Use pointed at.
    int UnusedTexts() const;
    // Forgets every Use, so the same block can be judged again for other cells.
    void ForgetUses();
    // The length of the longest text in the block.
    size_t LongestText() const { return longestText_; }

  private:
    static constexpr uint64_t kStart = 1;  // a text of at least one byte starts here
    static constexpr uint64_t kUsed = 2;   // a cell points at the text starting here
    static constexpr uint64_t kEveryStart = 0x5555555555555555ull;  // the kStart bit of each
    // A terminator that follows another (or opens the block) is an empty text of its own; the
    // terminator that ends a text is not a text's start.
    bool IsEmptyText(size_t offset) const {
        return block_[offset] == '\0' && (offset == 0 || block_[offset - 1] == '\0');
    }

    std::string_view block_;
    size_t readableEnd_ = 0;
    size_t longestText_ = 0;
    // Two bits per offset, kStart and kUsed, side by side so a cell costs one memory access.
    std::vector<uint64_t> marks_;
};

}  // namespace kelvane

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The text of every string cell of a table. A cell holds a 32-bit reference: either an offset
// into a shared, read-only block of zero-terminated strings (the string block of the file the
// table was loaded from, so unedited strings are never copied or re-encoded), or, with the top
// bit set, a slot of strings the table owns (texts typed or imported since the load).
class StringPool {
  public:
    using Ref = uint32_t;
    static constexpr Ref OwnedBit = 0x80000000u;

    // An empty pool whose block holds only the empty string at offset 0.
    StringPool();
    // Adopts a block. A zero byte is appended so every offset below the original size ends in
    // a terminator inside the block.
    explicit StringPool(std::string block);

    Ref EmptyRef() const { return emptyRef_; }
    // Valid offsets are below BlockSize() and their string ends before the block does.
    size_t BlockSize() const { return block_->size() - 1; }
    static Ref BlockRef(uint32_t offset) { return offset; }
    // Whether the text is the table's own (typed, imported, ...) rather than the loaded file's.
    static bool IsOwned(Ref ref) { return (ref & OwnedBit) != 0; }
    // The adopted block without the terminator the pool appended.
    std::string_view BlockBytes() const { return {block_->data(), BlockSize()}; }

    // How many texts the pool holds: those of the block (counted on each call) and the owned
    // ones in use. No table holds more distinct references, so a save sizes its tables by it.
    size_t TextCount() const;
    // Whether every text the pool holds, used by a cell or not, is well-formed UTF-8.
    bool HoldsOnlyUtf8() const;

    std::string_view View(Ref ref) const;
    // The text a save writes: texts the file held go back as they were (tooltips ending in
    // CR LF, names with blanks); texts set since the load are trimmed of blanks.
    std::string_view SavedText(Ref ref) const;
    bool IsEmpty(Ref ref) const {
        return IsOwned(ref) ? owned_[ref & ~OwnedBit].empty() : (*block_)[ref] == '\0';
    }
    Ref Store(std::string_view text);
    // Gives an owned slot back for reuse; block references need no release.
    void Release(Ref ref);

  private:
    std::shared_ptr<const std::string> block_;
    std::vector<std::string> owned_;
    std::vector<uint32_t> freeSlots_;
    Ref emptyRef_ = 0;
};

}  // namespace kelvane

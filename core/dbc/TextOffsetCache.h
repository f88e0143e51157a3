#pragma once

#include <cstdint>
#include <vector>

#include "core/table/StringPool.h"

namespace kelvane {

class StringBlockBuilder;

// The block offset each string reference of a table was given while the table is written. Many
// cells share one reference (every cell loaded from the same text of a file does), so each
// shared text is hashed and compared once instead of once per cell.
class TextOffsetCache {
  public:
    // Sized for that many distinct references, so a save never rehashes.
    explicit TextOffsetCache(size_t expectedRefs);

    // The offset of the reference's text in the block (trimmed when the table owns it), placing
    // it there when first met.
    uint32_t OffsetOf(StringPool::Ref ref, const StringPool& pool, StringBlockBuilder& block);

  private:
    static constexpr StringPool::Ref kFree = 0xFFFFFFFFu;  // no reference has every bit set
    struct Slot {
        StringPool::Ref Ref = kFree;
        uint32_t Offset = 0;
    };

    size_t SlotIndex(StringPool::Ref ref) const;
    void Grow();

    std::vector<Slot> slots_;  // open addressing, a power of two in size, at most half used
    int indexBits_ = 0;
    size_t used_ = 0;
};

}  // namespace kelvane

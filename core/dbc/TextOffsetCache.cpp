#include "core/dbc/TextOffsetCache.h"

#include "core/base/HashTableSize.h"

#include "core/dbc/StringBlockBuilder.h"

namespace kelvane {
namespace {

constexpr int kSmallestIndexBits = 10;

}  // namespace

TextOffsetCache::TextOffsetCache(size_t expectedRefs)
    : indexBits_(HalfFullIndexBits(expectedRefs, kSmallestIndexBits)) {
    slots_.resize(size_t{1} << indexBits_);
}

size_t TextOffsetCache::SlotIndex(StringPool::Ref ref) const {
    // Fibonacci hashing: references are offsets or small numbers, so spread them first.
    return static_cast<size_t>((ref * 0x9E3779B97F4A7C15ull) >> (64 - indexBits_));
}

uint32_t TextOffsetCache::OffsetOf(StringPool::Ref ref, const StringPool& pool,
                                   StringBlockBuilder& block) {
    // Most string cells of a big table are empty, and the empty text is always at offset 0.
    if (pool.IsEmpty(ref)) {
        return 0;
    }
    const size_t mask = slots_.size() - 1;
    size_t index = SlotIndex(ref);
    for (; slots_[index].Ref != kFree; index = (index + 1) & mask) {
        if (slots_[index].Ref == ref) {
            return slots_[index].Offset;
        }
    }
    const uint32_t offset = block.Place(pool.SavedText(ref));
    slots_[index] = Slot{ref, offset};
    if (2 * ++used_ > slots_.size()) {
        Grow();
    }
    return offset;
}

void TextOffsetCache::Grow() {
    std::vector<Slot> old(2 * slots_.size());
    old.swap(slots_);
    ++indexBits_;
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.Ref == kFree) {
            continue;
        }
        size_t index = SlotIndex(slot.Ref);
        while (slots_[index].Ref != kFree) {
            index = (index + 1) & mask;
        }
        slots_[index] = slot;
    }
}

}  // namespace kelvane

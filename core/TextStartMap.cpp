#include "core/TextStartMap.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kelvane {

TextStartMap::TextStartMap(std::string_view block, size_t readableEnd)
    : block_(block), readableEnd_(readableEnd), marks_((readableEnd + 31) / 32) {
    // A text starts at offset 0 and after every terminator.
    size_t offset = 0;
    while (offset < readableEnd_) {
        const void* found = std::memchr(block_.data() + offset, '\0', readableEnd_ - offset);
        const auto end = static_cast<size_t>(static_cast<const char*>(found) - block_.data());
        if (end > offset) {
            marks_[offset >> 5] |= kStart << (2 * (offset & 31));
            longestText_ = std::max(longestText_, end - offset);
        }
        offset = end + 1;
    }
}

int TextStartMap::UnusedTexts() const {
    constexpr uint64_t kEveryStart = 0x5555555555555555ull;
    int unused = 0;
    for (const uint64_t word : marks_) {
        unused += std::popcount(word & ~(word >> 1) & kEveryStart);
    }
    return unused;
}

}  // namespace kelvane

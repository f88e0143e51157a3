#include "core/dbc/TextStartMap.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kelvane {

namespace {

size_t ReadableEndOf(std::string_view block) {
    const size_t lastTerminator = block.rfind('\0');
    return lastTerminator == std::string_view::npos ? 0 : lastTerminator + 1;
}

}  // namespace

TextStartMap::TextStartMap(std::string_view block)
    : block_(block), readableEnd_(ReadableEndOf(block)), marks_((readableEnd_ + 31) / 32) {
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
    int unused = 0;
    for (const uint64_t word : marks_) {
        unused += std::popcount(word & ~(word >> 1) & kEveryStart);
    }
    return unused;
}

void TextStartMap::ForgetUses() {
    for (uint64_t& word : marks_) {
        word &= kEveryStart;
    }
}

}  // namespace kelvane

#include "core/TextStartMap.h"

#include <cstring>

namespace kelvane {

TextStartMap::TextStartMap(std::string_view block, size_t readableEnd)
    : block_(block),
      readableEnd_(readableEnd),
      starts_((readableEnd + 63) / 64),
      used_((readableEnd + 63) / 64) {
    // A text starts at offset 0 and after every terminator; a run of terminators is a run of
    // empty texts.
    size_t offset = 0;
    while (offset < readableEnd_) {
        starts_[offset >> 6] |= uint64_t{1} << (offset & 63);
        const void* end = std::memchr(block_.data() + offset, '\0', readableEnd_ - offset);
        offset = static_cast<size_t>(static_cast<const char*>(end) - block_.data()) + 1;
    }
}

int TextStartMap::UnusedTexts() const {
    int unused = 0;
    size_t offset = 0;
    while (offset < readableEnd_) {
        const size_t end = block_.find('\0', offset);
        if (end > offset && !Bit(used_, offset)) {
            ++unused;
        }
        offset = end + 1;
    }
    return unused;
}

}  // namespace kelvane

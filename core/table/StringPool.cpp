#include "core/table/StringPool.h"

#include <algorithm>
#include <cstring>

#include "core/base/TextUtil.h"
#include "core/base/Utf8.h"

namespace kelvane {

StringPool::StringPool() : StringPool(std::string()) {}

StringPool::StringPool(std::string block) {
    block.push_back('\0');
    emptyRef_ = static_cast<Ref>(block.size() - 1);
    block_ = std::make_shared<const std::string>(std::move(block));
}

std::string_view StringPool::View(Ref ref) const {
    if ((ref & OwnedBit) != 0) {
        return owned_[ref & ~OwnedBit];
    }
    const char* text = block_->data() + ref;
    return std::string_view(text, std::strlen(text));
}

std::string_view StringPool::SavedText(Ref ref) const {
    return IsOwned(ref) ? TrimBlanks(View(ref)) : View(ref);
}

size_t StringPool::TextCount() const {
    const std::string_view block = BlockBytes();
    return static_cast<size_t>(std::count(block.begin(), block.end(), '\0')) + 1 + owned_.size() -
           freeSlots_.size();
}

bool StringPool::HoldsOnlyUtf8() const {
    // A zero byte cannot be part of a sequence, so the block is UTF-8 exactly when each of its
    // texts is.
    return IsUtf8(BlockBytes()) &&
           std::all_of(owned_.begin(), owned_.end(),
                       [](const std::string& text) { return IsUtf8(text); });
}

StringPool::Ref StringPool::Store(std::string_view text) {
    if (text.empty()) {
        return emptyRef_;
    }
    uint32_t slot = 0;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        owned_[slot].assign(text);
    } else {
        slot = static_cast<uint32_t>(owned_.size());
        owned_.emplace_back(text);
    }
    return slot | OwnedBit;
}

void StringPool::Release(Ref ref) {
    if ((ref & OwnedBit) != 0) {
        const uint32_t slot = ref & ~OwnedBit;
        owned_[slot].clear();
        owned_[slot].shrink_to_fit();
        freeSlots_.push_back(slot);
    }
}

}  // namespace kelvane

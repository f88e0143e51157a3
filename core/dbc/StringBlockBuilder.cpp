#include "core/dbc/StringBlockBuilder.h"

#include <cstring>
#include <functional>

#include "core/base/HashTableSize.h"
#include "core/base/KelvaneError.h"
#include "core/dbc/DbcFormat.h"

namespace kelvane {
namespace {

constexpr int kSmallestIndexBits = 10;

}  // namespace

StringBlockBuilder::StringBlockBuilder()
    : block_(1, '\0'), slots_(size_t{1} << kSmallestIndexBits) {}

void StringBlockBuilder::Reserve(size_t texts, size_t bytes) {
    block_.reserve(bytes + 1);
    const size_t slotCount = size_t{1} << HalfFullIndexBits(texts, kSmallestIndexBits);
    if (slotCount > slots_.size()) {
        Rehash(slotCount);
    }
}

uint32_t StringBlockBuilder::Place(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (2 * (placed_ + 1) > slots_.size()) {
        Rehash(2 * slots_.size());
    }
    const size_t hash = std::hash<std::string_view>{}(text);
    const size_t mask = slots_.size() - 1;
    size_t index = hash & mask;
    for (; slots_[index].Offset != 0; index = (index + 1) & mask) {
        const Slot& slot = slots_[index];
        if (slot.Hash == hash && slot.Length == text.size() &&
            std::memcmp(block_.data() + slot.Offset, text.data(), text.size()) == 0) {
            return slot.Offset;
        }
    }
    if (block_.size() + text.size() + 1 > MaxStringBlockSize) {
        throw KelvaneError("the table's texts need a string block of more than " +
                           std::to_string(MaxStringBlockSize) +
                           " bytes (16 MiB), the most a DBC file can hold");
    }
    const auto offset = static_cast<uint32_t>(block_.size());
    block_.append(text);
    block_.push_back('\0');
    slots_[index] = Slot{offset, static_cast<uint32_t>(text.size()), hash};
    ++placed_;
    return offset;
}

void StringBlockBuilder::Rehash(size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.Offset == 0) {
            continue;
        }
        size_t index = slot.Hash & mask;
        while (slots_[index].Offset != 0) {
            index = (index + 1) & mask;
        }
        slots_[index] = slot;
    }
}

}  // namespace kelvane

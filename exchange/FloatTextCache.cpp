#include "exchange/FloatTextCache.h"

#include <bit>

#include "core/base/ValueText.h"

namespace kelvane {

void FloatTextCache::Append(std::string& out, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    // Fibonacci hashing spreads the few significant bits of typical values over the slots.
    Slot& slot = slots_[(bits * 0x9E3779B97F4A7C15ull) >> 56];
    if (slot.Size == 0 || slot.Bits != bits) {
        const std::string text = FloatText(value);
        if (text.size() > kLongestText) {
            out += text;
            return;
        }
        slot.Bits = bits;
        slot.Size = static_cast<uint8_t>(text.size());
        text.copy(slot.Text.data(), text.size());
    }
    out.append(slot.Text.data(), slot.Size);
}

}  // namespace kelvane

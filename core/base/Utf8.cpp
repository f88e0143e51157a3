#include "core/base/Utf8.h"

#include <cstdint>
#include <cstring>

namespace kelvane {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

enum class Sequence { Whole, Cut, Broken };

// Checks the sequence that starts at bytes[at]; length is set for a whole one.
Sequence CheckSequence(std::string_view bytes, size_t at, size_t& length) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    unsigned char low = 0x80;  // the range of the second byte, narrower after some leads
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // overlong
        high = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF;  // past U+10FFFF
    } else {
        return Sequence::Broken;
    }
    for (size_t i = 1; i < length; ++i) {
        if (at + i == bytes.size()) {
            return Sequence::Cut;
        }
        const auto c = static_cast<unsigned char>(bytes[at + i]);
        if (i == 1 ? (c < low || c > high) : !IsContinuation(c)) {
            return Sequence::Broken;
        }
    }
    return Sequence::Whole;
}

bool EightAscii(const char* bytes) {
    uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

}  // namespace

std::optional<size_t> WellFormedUtf8Prefix(std::string_view bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        if (at + 8 <= bytes.size() && EightAscii(bytes.data() + at)) {
            at += 8;
            continue;
        }
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        size_t length = 0;
        switch (CheckSequence(bytes, at, length)) {
            case Sequence::Whole:
                at += length;
                break;
            case Sequence::Cut:
                return at;
            case Sequence::Broken:
                return std::nullopt;
        }
    }
    return at;
}

bool IsUtf8(std::string_view bytes) {
    return WellFormedUtf8Prefix(bytes) == bytes.size();
}

bool IsAscii(std::string_view bytes) {
    // One pass that merges every byte, which the compiler turns into wide loads.
    unsigned char merged = 0;
    for (const char c : bytes) {
        merged |= static_cast<unsigned char>(c);
    }
    return merged < 0x80;
}

}  // namespace kelvane

#include "exchange/Windows1252Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace kelvane {
namespace {

constexpr size_t kPieceBytes = size_t{1} << 20;

// What the code page puts at 0x80 to 0x9F; from 0xA0 on it matches Unicode.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

// How many bytes at the start of bytes are whole valid sequences; nothing when a sequence is
// broken. A sequence cut off by the end of bytes is left for the next piece.
std::optional<size_t> ValidPrefix(std::string_view bytes) {
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

void AppendCodePoint(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

bool HoldsOnlyUtf8(ByteSource& source) {
    std::string piece;
    uint64_t offset = 0;
    while (offset < source.Size()) {
        const size_t kept = piece.size();  // a sequence cut off by the last piece
        const size_t size =
            static_cast<size_t>(std::min<uint64_t>(kPieceBytes, source.Size() - offset));
        piece.resize(kept + size);
        source.ReadInto(offset, piece.data() + kept, size);
        offset += size;
        const std::optional<size_t> valid = ValidPrefix(piece);
        if (!valid) {
            return false;
        }
        piece.erase(0, *valid);
    }
    return piece.empty();
}

void AppendWindows1252AsUtf8(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            AppendCodePoint(out, kHighControls[byte - 0x80]);
        } else {
            AppendCodePoint(out, byte);
        }
    }
}

}  // namespace kelvane

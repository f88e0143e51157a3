#include "core/base/EchoText.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr std::string_view kCutMark = "...";

bool IsHigh(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// How the byte at a place shows in a message: itself, or an escape for a control byte.
std::string_view Shown(std::string_view text, size_t at, char (&escape)[5]) {
    const char c = text[at];
    switch (c) {
        case '\0':
            return "\\0";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        default:
            break;
    }
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code != 0x7F) {
        return text.substr(at, 1);
    }
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    escape[0] = '\\';
    escape[1] = 'x';
    escape[2] = kHexDigits[code >> 4];
    escape[3] = kHexDigits[code & 0xF];
    return std::string_view(escape, 4);
}

// 4321 as "4,321": a count in a message reads at a glance.
std::string GroupedCount(size_t count) {
    std::string digits = std::to_string(count);
    for (size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

}  // namespace

std::string EchoText(std::string_view text) {
    std::string shown;
    size_t taken = 0;
    char escape[5] = {};
    for (; taken < text.size(); ++taken) {
        const std::string_view piece = Shown(text, taken, escape);
        if (shown.size() + piece.size() > EchoLength) {
            break;
        }
        shown += piece;
    }
    if (taken == text.size()) {
        return shown;
    }
    // A cut inside a UTF-8 character would end the message in a broken one, so the cut moves
    // to the character's start. Its bytes are high ones, each standing for itself in the output.
    size_t cut = taken;
    while (cut > 0 && taken - cut < 3 && IsUtf8Continuation(text[cut]) && IsHigh(text[cut - 1])) {
        --cut;
    }
    shown.resize(shown.size() - (taken - cut));
    return shown + std::string(kCutMark);
}

std::string EscapedText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    char escape[5] = {};
    for (size_t at = 0; at < text.size(); ++at) {
        shown += Shown(text, at, escape);
    }
    return shown;
}

std::string QuotedList(std::span<const std::string> texts, size_t listed) {
    std::string list;
    for (const std::string& text : texts.first(std::min(listed, texts.size()))) {
        list += list.empty() ? "'" : ", '";
        list += EchoText(text);
        list += '\'';
    }
    if (texts.size() > listed) {
        list += " and " + GroupedCount(texts.size() - listed) + " more";
    }
    return list;
}

}  // namespace kelvane

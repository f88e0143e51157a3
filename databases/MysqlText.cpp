#include "databases/MysqlText.h"

#include <cstdint>

namespace kelvane {

void AppendMysqlString(std::string& out, std::string_view text) {
    out += '\'';
    for (const char c : text) {
        switch (c) {
            case '\0':
                out += "\\0";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\x1A':
                out += "\\Z";
                break;
            case '\'':
            case '\\':
                out += '\\';
                out += c;
                break;
            default:
                out += c;
        }
    }
    out += '\'';
}

void AppendMysqlHex(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "X'";
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    out += '\'';
}

std::string MysqlName(std::string_view name) {
    std::string quoted = "`";
    for (const char c : name) {
        if (c == '`') {
            quoted += '`';
        }
        quoted += c;
    }
    return quoted + "`";
}

bool IsUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence and the range its second byte must lie in, which rules out
        // overlong forms, surrogates and code points past U+10FFFF.
        size_t length = 0;
        uint8_t low = 0x80;
        uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (bytes.size() - i < length) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            const uint8_t from = k == 1 ? low : 0x80;
            const uint8_t to = k == 1 ? high : 0xBF;
            if (next < from || next > to) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace kelvane

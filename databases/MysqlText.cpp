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

}  // namespace kelvane

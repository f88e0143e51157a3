#include "tests/support/DbcBytes.h"

#include <bit>
#include <cstring>

namespace kelvane::testing {

DbcBytes& DbcBytes::Header(int32_t recordCount, int32_t fieldCount, int32_t recordSize,
                           int32_t stringBlockSize) {
    Raw("WDBC");
    return Int(recordCount).Int(fieldCount).Int(recordSize).Int(stringBlockSize);
}

DbcBytes& DbcBytes::Int(int32_t value) {
    const auto pattern = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes_.push_back(static_cast<char>((pattern >> shift) & 0xFF));
    }
    return *this;
}

DbcBytes& DbcBytes::Float(float value) {
    return Int(std::bit_cast<int32_t>(value));
}

DbcBytes& DbcBytes::Byte(uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
}

DbcBytes& DbcBytes::Raw(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
}

int32_t Int32At(std::string_view bytes, size_t offset) {
    uint32_t pattern = 0;
    for (int i = 3; i >= 0; --i) {
        pattern =
            (pattern << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
    }
    return static_cast<int32_t>(pattern);
}

}  // namespace kelvane::testing

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane::testing {

// Builds the bytes of a DBC file by hand, so tests can make files the writer never would.
class DbcBytes {
  public:
    DbcBytes& Header(int32_t recordCount, int32_t fieldCount, int32_t recordSize,
                     int32_t stringBlockSize);
    DbcBytes& Int(int32_t value);
    DbcBytes& Float(float value);
    DbcBytes& Byte(uint8_t value);
    DbcBytes& Raw(std::string_view bytes);
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// A little-endian 32-bit value read from bytes at an offset.
int32_t Int32At(std::string_view bytes, size_t offset);

}  // namespace kelvane::testing

#pragma once

#include <string_view>

#include "core/files/ByteSource.h"

namespace kelvane {

// Bytes already in memory, which outlive the source.
class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    std::string_view Read(uint64_t offset, size_t size) override {
        return bytes_.substr(static_cast<size_t>(offset), size);
    }

  private:
    std::string_view bytes_;
};

}  // namespace kelvane

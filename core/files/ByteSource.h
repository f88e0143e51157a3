#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace kelvane {

// The bytes of a file, read piece by piece: from memory, or from disk without holding the
// whole file.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // size bytes from offset, within Size(); the view is valid until the next Read.
    virtual std::string_view Read(uint64_t offset, size_t size) = 0;
    // size bytes from offset, within Size(), into memory of the caller's: a file reads them
    // there directly, without a copy through its own buffer.
    virtual void ReadInto(uint64_t offset, char* out, size_t size) {
        const std::string_view bytes = Read(offset, size);
        std::copy(bytes.begin(), bytes.end(), out);
    }
};

}  // namespace kelvane

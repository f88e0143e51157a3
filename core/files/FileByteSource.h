#pragma once

#include <string>

#include "core/files/ByteSource.h"
#include "core/files/InputFile.h"

namespace kelvane {

// A file the user named, read with positioned reads into one reused buffer, so reading a big
// file costs no memory of its size; a stream (a pipe, `<(...)`, /dev/stdin) is read to its end
// into memory first. Fails as InputFile and ReadRest do, and names the file when it changes
// size while it is read.
class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(const std::string& path);
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    uint64_t Size() const override { return size_; }
    std::string_view Read(uint64_t offset, size_t size) override;
    void ReadInto(uint64_t offset, char* out, size_t size) override;

  private:
    InputFile file_;
    uint64_t size_ = 0;
    std::string streamBytes_;  // a stream's whole content
    std::string buffer_;
};

}  // namespace kelvane

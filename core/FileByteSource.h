#pragma once

#include <string>

#include "core/ByteSource.h"

namespace kelvane {

// A file read with positioned reads into one reused buffer, so reading a big file costs no
// memory of its size. Fails with "Cannot open file "%s". %s" (the path, the system's reason),
// and names the file when it changes size while it is read.
class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    uint64_t Size() const override { return size_; }
    std::string_view Read(uint64_t offset, size_t size) override;
    void ReadInto(uint64_t offset, char* out, size_t size) override;

  private:
    std::string path_;
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string buffer_;
};

}  // namespace kelvane

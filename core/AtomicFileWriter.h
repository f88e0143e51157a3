#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// A file written piece by piece into a temporary file beside its target, which replaces the
// target only on Commit: until then, and whenever anything fails, the file that was there
// stays untouched and the temporary file is removed. Failures throw
// "Cannot create file "%s". %s" (the target path, the system's reason).
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Append(std::string_view bytes);
    // Overwrites bytes already appended, such as a header known only at the end.
    void WriteAt(uint64_t offset, std::string_view bytes);
    // Flushes the file to disk and renames it over the target.
    void Commit();
    // Closes the written file without flushing or renaming it and hands its temporary path to
    // the caller, which renames it after one flush for many files (AtomicFileBatch).
    std::string Release();

  private:
    [[noreturn]] void Fail(int error);

    std::string path_;
    std::string temporaryPath_;
    int fd_ = -1;
};

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/files/AtomicFileWriter.h"

namespace kelvane {

// Lines written to a file with CR LF after each, the last included, through one buffer of about
// a mebibyte, so a big export never holds its whole text. The file replaces the target only on
// Commit (see AtomicFileWriter); failures throw "Cannot create file "%s". %s".
class TextLineWriter {
  public:
    explicit TextLineWriter(const std::string& path);

    void Add(std::string_view line);
    size_t LineCount() const { return lines_; }
    void Commit();

  private:
    AtomicFileWriter file_;
    std::string buffer_;
    size_t lines_ = 0;
};

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>

#include "core/files/InputFile.h"

namespace kelvane {

// The lines of a text file the user named, read in pieces, split at CR LF, CR or LF as
// SplitTextLines splits a whole text, so a file of any size costs memory of a piece and its
// longest line only. A stream (a pipe, `<(...)`) is read the same way, to its end.
class TextFileLines {
  public:
    // Fails as InputFile does: "Cannot open file "%s". %s".
    explicit TextFileLines(const std::string& path);

    // The next line, valid until the next call; false after the last line.
    bool Next(std::string_view& line);

  private:
    // Appends the next piece of the file after the unread text; false at the end of the file.
    bool ReadPiece();

    InputFile in_;
    std::string text_;
    size_t start_ = 0;  // where the unread text begins in text_
    bool atEnd_ = false;
};

}  // namespace kelvane

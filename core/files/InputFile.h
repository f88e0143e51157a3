#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/UniqueFd.h"

namespace kelvane {

// Who chose a file the program reads, which decides what the file may be.
enum class NamedBy {
    // The user named it: a regular file, or a stream (a pipe, a named pipe, a terminal, the
    // `<(...)` of a shell) read to its end, waiting for a writer as `cat` would.
    User,
    // The program found it by its name (TABLE.ini, pick lists, settings, .dbd files): only a
    // regular file is read; anything else is refused instead of being waited on.
    Program,
};

// A file opened for reading without ever waiting at the opening: a named pipe opens at once
// whether or not anyone writes to it, and what the file is gets judged on the opened
// descriptor, not on a path that may change meanwhile. A folder fails with "Cannot open file
// "%s". Is a directory", anything else that is neither a regular file nor a stream the user
// named with "Cannot open file "%s". It is %s, not a regular file." (a named pipe, a device...).
class InputFile {
  public:
    InputFile(std::string path, NamedBy namedBy);

    const std::string& Path() const { return path_; }
    int Fd() const { return fd_.Get(); }
    // A pipe, a named pipe or a character device: read from start to end, never by position.
    bool IsStream() const { return stream_; }
    // A regular file's size when it was opened; 0 for a stream.
    uint64_t Size() const { return size_; }

    // The next bytes, at most size of them, waiting for a stream's writer; 0 at the end.
    // Fails with "Cannot read file "%s". %s".
    size_t ReadSome(char* out, size_t size);

  private:
    std::string path_;
    UniqueFd fd_;
    bool stream_ = false;
    uint64_t size_ = 0;
};

// The rest of the file. A stream longer than half the machine's memory, or one that the memory
// cannot hold, fails with "Cannot load "%s": the file is too large for the memory available."
std::string ReadRest(InputFile& file);

// ReadRest with the longest stream given, for tests of that limit.
std::string ReadRest(InputFile& file, uint64_t longestStream);

}  // namespace kelvane

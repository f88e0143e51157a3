#pragma once

#include <string>

#include "core/files/UniqueFd.h"

namespace kelvane {

// A file of the program's own in the system's temporary folder ($TMPDIR, else /tmp), which only
// its user may read, removed when it goes: for a library that reads only files by their name.
// Fails with a message naming the file it stands in for and the folder.
class ScratchFile {
  public:
    explicit ScratchFile(const std::string& standsFor);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    int Fd() const { return fd_.Get(); }

  private:
    std::string path_;
    UniqueFd fd_;
};

class InputFile;

// Copies the rest of a stream into a scratch file, without holding it in memory.
void CopyRest(InputFile& from, const ScratchFile& to);

}  // namespace kelvane

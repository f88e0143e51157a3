#pragma once

#include <string>

#include "core/files/UniqueFd.h"

namespace kelvane {

class SaveFolder;
class SaveTarget;

// The file a save writes before it replaces its target: in the target's folder, named after the
// target (TemporaryFilePrefix) and locked while it lives, so that the next save of the same
// target clears it away only once its writer is gone. Creating it first clears the leftovers of
// saves of that target that crashed. Removed when it goes, unless it replaced the target.
class TemporaryFile {
  public:
    TemporaryFile(const SaveFolder& folder, const SaveTarget& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_.Get(); }
    const std::string& Path() const { return path_; }
    // Renames the file over the target's resolved path. Returns the system's error number, or 0.
    int ReplaceTarget(const SaveTarget& target);

  private:
    std::string path_;
    UniqueFd fd_;
    bool replaced_ = false;
};

}  // namespace kelvane

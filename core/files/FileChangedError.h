#pragma once

#include <optional>
#include <string>

#include "core/base/KelvaneError.h"
#include "core/files/FileSnapshot.h"

namespace kelvane {

// A save over the file the table was loaded from found that file changed on disk since:
// another program, or another Kelvane, saved it in between. Nothing was written.
class FileChangedError : public KelvaneError {
  public:
    FileChangedError(const std::string& path, std::optional<FileSnapshot> current);

    const std::string& Path() const { return path_; }
    // The file as it is now: a save told to overwrite it compares against this, so a change
    // made while the user was asked is caught again.
    const std::optional<FileSnapshot>& Current() const { return current_; }
    // What changed, in one sentence, for a question or a message.
    static std::string Description(const std::string& path);

  private:
    std::string path_;
    std::optional<FileSnapshot> current_;
};

}  // namespace kelvane

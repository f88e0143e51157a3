#include "core/files/FileChangedError.h"

#include <utility>

namespace kelvane {

FileChangedError::FileChangedError(const std::string& path, std::optional<FileSnapshot> current)
    : KelvaneError(Description(path) + " Nothing was saved; the newer file was left as it is."),
      path_(path),
      current_(std::move(current)) {}

std::string FileChangedError::Description(const std::string& path) {
    return "\"" + path +
           "\" changed on disk after it was loaded: another program, or another Kelvane, "
           "saved it since.";
}

}  // namespace kelvane

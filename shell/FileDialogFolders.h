#pragma once

#include <functional>
#include <map>
#include <string>

#include "shell/UserDialogs.h"

namespace kelvane {

// Where a file dialog opens: in the folder last used for files of its kind (told by its first
// filter, so CSV files and patches each keep their own), or else in the folder the fallback
// names, the open table's. A dialog then never opens wherever an unrelated dialog was last
// left, such as the definitions folder, where a user could save by accident.
class FileDialogFolders {
  public:
    void SetFallback(std::function<std::string()> fallback) { fallback_ = std::move(fallback); }

    // Empty when nothing is known: the dialog opens where the platform chooses.
    std::string FolderFor(const FileDialogRequest& request) const;
    // Remembers the folder the chosen file is in for dialogs of the request's kind.
    void Chosen(const FileDialogRequest& request, std::string folder);

  private:
    std::map<std::string, std::string> lastFolders_;
    std::function<std::string()> fallback_;
};

}  // namespace kelvane

#include "shell/FileDialogFolders.h"

namespace kelvane {
namespace {

std::string KindOf(const FileDialogRequest& request) {
    return request.Filters.empty() ? request.Title : request.Filters.front().Pattern;
}

}  // namespace

std::string FileDialogFolders::FolderFor(const FileDialogRequest& request) const {
    if (const auto last = lastFolders_.find(KindOf(request)); last != lastFolders_.end()) {
        return last->second;
    }
    return fallback_ ? fallback_() : std::string();
}

void FileDialogFolders::Chosen(const FileDialogRequest& request, std::string folder) {
    if (!folder.empty()) {
        lastFolders_[KindOf(request)] = std::move(folder);
    }
}

}  // namespace kelvane

#include "app/RecentFiles.h"

#include <algorithm>

namespace kelvane {

RecentFiles::RecentFiles(const std::vector<std::string>& paths) {
    // Added oldest first, so the newest ends up first.
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
        if (!path->empty()) {
            Add(*path);
        }
    }
}

void RecentFiles::Add(const std::string& path) {
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > static_cast<size_t>(Capacity)) {
        paths_.resize(Capacity);
    }
}

std::string RecentFiles::EntryCaption(int position, const std::string& path) {
    const std::string number = std::to_string(position + 1);
    // The mnemonic is the number's last digit: 1 to 9, and 0 for the tenth.
    std::string caption = number.substr(0, number.size() - 1) + '&' + number.back() + ' ';
    for (const char c : path) {
        caption += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return caption;
}

}  // namespace kelvane

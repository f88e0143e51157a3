#include "core/files/TablePaths.h"

namespace kelvane {

std::string FileNameOfPath(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string TableNameFromPath(std::string_view path) {
    const std::string fileName = FileNameOfPath(path);
    return fileName.substr(0, fileName.find('.'));
}

std::string FolderOfPath(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    // A file directly in the root keeps "/" as its folder.
    return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    std::string joined(folder);
    if (joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

}  // namespace kelvane

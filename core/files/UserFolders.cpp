#include "core/files/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/base/KelvaneError.h"
#include "core/files/TablePaths.h"

namespace kelvane {
namespace {

// A relative path in the variable is to be ignored, as the rules say.
std::string XdgFolder(const char* variable, std::string_view underHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') {
        return value;
    }
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return JoinPath(home, underHome);
    }
    return {};
}

}  // namespace

std::string UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

void CreateFolder(const std::string& folder) {
    if (folder.empty()) {
        return;  // the current folder
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw KelvaneError("Cannot create folder \"" + folder + "\". " + error.message());
    }
}

}  // namespace kelvane

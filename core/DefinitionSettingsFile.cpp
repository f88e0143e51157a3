#include "core/DefinitionSettingsFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/IniFile.h"
#include "core/KelvaneError.h"
#include "core/TablePaths.h"

namespace kelvane {
namespace {

constexpr std::string_view kSection = "Definitions";
constexpr std::string_view kFolderKey = "Folder";
constexpr std::string_view kBuildKey = "Build";

// The user's configuration folder as the XDG base directory rules name it; "" when neither
// variable says where it is.
std::string ConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        return config;
    }
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return JoinPath(home, ".config");
    }
    return {};
}

}  // namespace

std::string DefinitionSettingsPath() {
    const std::string config = ConfigFolder();
    return config.empty() ? std::string()
                          : JoinPath(JoinPath(config, "Kelvane"), "Definitions.ini");
}

DefinitionSettings LoadDefinitionSettings() {
    const std::string path = DefinitionSettingsPath();
    if (path.empty()) {
        return {};
    }
    try {
        const IniFile ini = IniFile::Load(path);
        DefinitionSettings settings;
        settings.DbdFolder = ini.Read(kSection, kFolderKey).value_or("");
        if (const std::optional<std::string> build = ini.Read(kSection, kBuildKey)) {
            settings.Build = ParseDbdBuild(*build);
        }
        return settings;
    } catch (const KelvaneError&) {
        // Settings that cannot be read are not worth refusing to start over.
        return {};
    }
}

void SaveDefinitionSettings(const DefinitionSettings& settings) {
    const std::string path = DefinitionSettingsPath();
    if (path.empty()) {
        throw KelvaneError(
            "Cannot remember the definitions folder: neither XDG_CONFIG_HOME nor HOME says "
            "where settings are kept.");
    }
    std::error_code error;
    std::filesystem::create_directories(FolderOfPath(path), error);
    if (error) {
        throw KelvaneError("Cannot create folder \"" + FolderOfPath(path) + "\". " +
                           error.message());
    }
    IniFile ini = IniFile::Load(path);
    ini.Write(kSection, kFolderKey, settings.DbdFolder);
    ini.Write(kSection, kBuildKey, settings.Build ? settings.Build->Text() : "");
    ini.Save(path);
}

}  // namespace kelvane

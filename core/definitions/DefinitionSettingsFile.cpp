#include "core/definitions/DefinitionSettingsFile.h"

#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/files/IniFile.h"
#include "core/files/TablePaths.h"
#include "core/files/UserFolders.h"

namespace kelvane {
namespace {

constexpr std::string_view kSection = "Definitions";
constexpr std::string_view kFolderKey = "Folder";
constexpr std::string_view kBuildKey = "Build";

}  // namespace

std::string DefinitionSettingsPath() {
    const std::string config = UserConfigFolder();
    return config.empty() ? std::string()
                          : JoinPath(JoinPath(config, "Kelvane"), "Definitions.ini");
}

DefinitionSettings LoadDefinitionSettings() {
    const std::string path = DefinitionSettingsPath();
    if (path.empty()) {
        return {};
    }
    try {
        const IniFile ini = IniFile::Load(path, NamedBy::Program);
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
    CreateFolder(FolderOfPath(path));
    IniFile ini = IniFile::Load(path, NamedBy::Program);
    try {
        ini.Write(kSection, kFolderKey, settings.DbdFolder);
    } catch (const KelvaneError& error) {
        throw KelvaneError("Cannot remember the definitions folder: " + std::string(error.what()) +
                           ".");
    }
    ini.Write(kSection, kBuildKey, settings.Build ? settings.Build->Text() : "");
    ini.Save(path);
}

}  // namespace kelvane

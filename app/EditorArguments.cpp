#include "app/EditorArguments.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/base/HelpFlag.h"
#include "core/base/KelvaneError.h"
#include "core/definitions/ClientBuildText.h"

namespace kelvane {
namespace {

constexpr char kDefsFlag[] = "--defs";
constexpr char kBuildFlag[] = "--build";

std::string DefinitionsFolderArgument(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
        throw KelvaneError(std::string(kDefsFlag) + ": '" + folder +
                           "' is not a folder; give the folder that holds the .dbd files.");
    }
    return std::filesystem::absolute(folder, error).lexically_normal().string();
}

}  // namespace

DefinitionSettings EditorArguments::Over(DefinitionSettings settings) const {
    if (DbdFolder) {
        settings.DbdFolder = *DbdFolder;
    }
    if (BuildGiven) {
        settings.Build = Build;
    }
    return settings;
}

EditorArguments ParseEditorArguments(const std::vector<std::string>& arguments) {
    EditorArguments parsed;
    parsed.HelpAsked = std::ranges::any_of(arguments, IsHelpFlag);
    parsed.VersionAsked = std::ranges::find(arguments, "--version") != arguments.end();
    if (parsed.HelpAsked || parsed.VersionAsked) {
        return parsed;
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument != kDefsFlag && argument != kBuildFlag) {
            parsed.Others.push_back(argument);
            continue;
        }
        if (i + 1 == arguments.size()) {
            throw KelvaneError(argument + " needs a value: " + argument +
                               (argument == kDefsFlag ? " DIR" : " BUILD such as 3.3.5.12340"));
        }
        const std::string& value = arguments[++i];
        if (argument == kDefsFlag) {
            parsed.DbdFolder = DefinitionsFolderArgument(value);
        } else {
            parsed.BuildGiven = true;
            try {
                parsed.Build = ReadClientBuildText(value);
            } catch (const KelvaneError& error) {
                throw KelvaneError(std::string(kBuildFlag) + ": " + error.what());
            }
        }
    }
    return parsed;
}

}  // namespace kelvane

#include "cli/DefinitionFlags.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "core/base/KelvaneError.h"
#include "core/definitions/ClientBuildText.h"
#include "core/definitions/DefinitionSettingsFile.h"

namespace kelvane::cli {
namespace {

// The value after the last occurrence of flag, both removed from args; nullopt without one.
std::optional<std::string> TakeValueFlag(Arguments& args, std::string_view flag) {
    std::optional<std::string> value;
    for (size_t at = 0; at < args.size();) {
        if (args[at] != flag) {
            ++at;
            continue;
        }
        if (at + 1 == args.size()) {
            throw UsageError(std::string(flag) + " needs a value");
        }
        value = args[at + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(at),
                   args.begin() + static_cast<std::ptrdiff_t>(at) + 2);
    }
    return value;
}

DefinitionSettings& RunSettings() {
    static DefinitionSettings settings;
    return settings;
}

}  // namespace

DefinitionFlagValues TakeDefinitionFlagValues(Arguments& args) {
    DefinitionFlagValues values;
    values.Folder = TakeValueFlag(args, "--defs");
    values.Build = TakeValueFlag(args, "--build");
    return values;
}

DefinitionSettings TakeDefinitionFlags(Arguments& args, std::ostream& err) {
    const auto [folder, buildText] = TakeDefinitionFlagValues(args);
    DefinitionSettings settings = LoadDefinitionSettings();
    if (!folder && !buildText) {
        return settings;
    }
    if (buildText) {
        try {
            settings.Build = ReadClientBuildText(*buildText);
        } catch (const KelvaneError& error) {
            throw UsageError(std::string("--build: ") + error.what());
        }
    }
    if (folder) {
        std::error_code error;
        if (!std::filesystem::is_directory(*folder, error)) {
            throw KelvaneError("The definitions folder \"" + *folder + "\" does not exist.");
        }
        // Absolute, so later runs from another folder find it too.
        settings.DbdFolder = std::filesystem::absolute(*folder, error).string();
    }
    try {
        SaveDefinitionSettings(settings);
    } catch (const KelvaneError& error) {
        err << "Warning: " << error.what() << '\n';
    }
    return settings;
}

void UseDefinitionSettings(const DefinitionSettings& settings) {
    RunSettings() = settings;
}

const DefinitionSettings& DefinitionSettingsInUse() {
    return RunSettings();
}

}  // namespace kelvane::cli

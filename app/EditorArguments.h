#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/definitions/DbdBuild.h"
#include "core/definitions/DefinitionSettings.h"

namespace kelvane {

// The editor's command line: `--defs DIR` and `--build B` wherever they stand, and the rest
// (the file to open, or a batch run's arguments) in their order.
struct EditorArguments {
    // An absolute path, so the folder remembered for later runs does not depend on where this
    // one was started.
    std::optional<std::string> DbdFolder;
    // `--build` was given; an empty B clears the build.
    bool BuildGiven = false;
    std::optional<DbdBuild> Build;
    std::vector<std::string> Others;
    // --help or -h, and --version: the program prints and ends, whatever else was given.
    bool HelpAsked = false;
    bool VersionAsked = false;

    bool ChangesDefinitionSettings() const { return DbdFolder || BuildGiven; }
    // The settings with the folder and build of the command line over them.
    DefinitionSettings Over(DefinitionSettings settings) const;
};

// Fails with a KelvaneError for a flag without its value, a folder that is not one, or a build
// that is no build. A request for help or the version is answered without looking at the other
// arguments, so a mistyped flag does not stand in its way.
EditorArguments ParseEditorArguments(const std::vector<std::string>& arguments);

}  // namespace kelvane

#pragma once

#include <optional>
#include <string>

#include "core/definitions/DbdBuild.h"

namespace kelvane {

// Where the user keeps .dbd definition files and which client build their tables come from.
// Both are optional: without a folder no .dbd file is looked for, without a build every
// layout that fits the file is a candidate.
struct DefinitionSettings {
    std::string DbdFolder;
    std::optional<DbdBuild> Build;
};

}  // namespace kelvane

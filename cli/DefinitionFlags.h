#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/CliCommands.h"
#include "core/definitions/DefinitionSettings.h"

namespace kelvane::cli {

// The values of the global flags, not yet checked.
struct DefinitionFlagValues {
    std::optional<std::string> Folder;
    std::optional<std::string> Build;
};

// Takes --defs DIR and --build B out of args, wherever they stand, without checking or
// remembering them; a flag without its value is a UsageError naming it.
DefinitionFlagValues TakeDefinitionFlagValues(Arguments& args);

// Takes the global flags --defs DIR and --build B out of args, wherever they stand. The ones
// given are remembered for later runs (and by the editor); the remembered ones stand in for
// those not given. A missing value or a build that is no build is a UsageError naming it; a
// folder that is not there is a KelvaneError naming it. A failure to remember is only a
// warning on err: the run still uses what it was given.
DefinitionSettings TakeDefinitionFlags(Arguments& args, std::ostream& err);

// The settings every table of this run loads with, as main took them from the command line.
void UseDefinitionSettings(const DefinitionSettings& settings);
const DefinitionSettings& DefinitionSettingsInUse();

}  // namespace kelvane::cli

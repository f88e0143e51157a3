#pragma once

#include <string>

#include "core/definitions/DefinitionSettings.h"

namespace kelvane {

// The definitions folder and client build are remembered from one run to the next, shared by
// the editor and the command-line tool: Definitions.ini in the Kelvane folder of the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config).
std::string DefinitionSettingsPath();

// What was remembered; empty settings when nothing was, or the file cannot be read or holds a
// build that is no build.
DefinitionSettings LoadDefinitionSettings();

// Fails with a KelvaneError naming the file when it cannot be written.
void SaveDefinitionSettings(const DefinitionSettings& settings);

}  // namespace kelvane

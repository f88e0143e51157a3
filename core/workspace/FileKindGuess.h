#pragma once

#include <string>

#include "core/dbc/LoadReport.h"
#include "core/definitions/FieldKindGuess.h"

namespace kelvane {

struct Workspace;

// Loads the DBC file at path into the workspace as a table without definitions, the table
// GuessFieldKinds reads: every field an integer named by its number. Fails as LoadDbcFile does.
LoadReport LoadDbcFileAsIntegers(Workspace& workspace, const std::string& path);

// Reads the DBC file at path on its own, with no definitions, and guesses. Fails with a
// KelvaneError naming the file when it cannot be read.
FieldKindGuess GuessFieldKindsOfFile(const std::string& path);

}  // namespace kelvane

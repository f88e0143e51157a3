#pragma once

#include <string>
#include <vector>

#include "program/Program.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The whole program as main builds it, with the arguments after its name (none unless given),
// its questions and modal windows answered from scripts, and a folder for the files a test
// gives it.
struct RunningProgram {
    explicit RunningProgram(std::vector<std::string> arguments = {})
        : App(Dialogs, Modals, std::move(arguments)) {}

    TempDir Dir;
    ScriptedDialogs Dialogs;
    ScriptedModals Modals;
    Program App;
};

}  // namespace kelvane::testing

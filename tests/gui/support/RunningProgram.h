#pragma once

#include <string>
#include <vector>

#include "program/Program.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The whole program as main builds it, without arguments, its questions and modal windows
// answered from scripts, and a folder for the files a test gives it.
struct RunningProgram {
    TempDir Dir;
    ScriptedDialogs Dialogs;
    ScriptedModals Modals;
    Program App{Dialogs, Modals, std::vector<std::string>{}};
};

}  // namespace kelvane::testing

#pragma once

#include <memory>
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
class RunningProgram {
  public:
    explicit RunningProgram(std::vector<std::string> arguments = {});

    TempDir Dir;
    ScriptedDialogs Dialogs;
    ScriptedModals Modals;

    Program& App() { return *app_; }

    // Ends this run as main ends it once the main window has closed, and starts the next one
    // over the same folder, scripts and remembered settings, as the user's next start.
    void Restart(std::vector<std::string> arguments = {});
    // The main window on screen and active, so its shortcuts and the focus work as for a user;
    // false when it never became active.
    [[nodiscard]] bool ShowActive();
    // File > Open, the user choosing the file in the open dialog.
    void OpenWithMenu(const std::string& path);

  private:
    std::unique_ptr<Program> app_;
};

}  // namespace kelvane::testing

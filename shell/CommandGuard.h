#pragma once

#include <functional>

namespace kelvane {

class UserDialogs;

// Runs one user command. A failure stops the command where it happened; its message is shown
// in a message box and the program goes on; a command the user cancelled (CommandCancelled)
// ends without a message. Returns whether the command ran to its end.
bool RunGuarded(UserDialogs& dialogs, const std::function<void()>& command);

}  // namespace kelvane

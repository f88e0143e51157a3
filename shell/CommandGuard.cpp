#include "shell/CommandGuard.h"

#include <exception>
#include <new>

#include "shell/CommandCancelled.h"
#include "shell/UserDialogs.h"

namespace kelvane {

bool RunGuarded(UserDialogs& dialogs, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const CommandCancelled&) {
        // The user stopped it, and knows why.
    } catch (const std::bad_alloc&) {
        dialogs.ShowError("Not enough memory to finish the command.");
    } catch (const std::exception& error) {
        dialogs.ShowError(error.what());
    }
    return false;
}

}  // namespace kelvane

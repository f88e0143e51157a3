#pragma once

#include "shell/UserDialogs.h"

namespace kelvane {

// The save dialog of every export in the patch tool's format: the main window's exports and
// the export queue write through the same one.
inline FileDialogRequest PatchSaveRequest() {
    return {.Title = "Export to Patchwell's format",
            .Filters = {{"*.txt", "*.txt"}, {"All Files", "*.*"}},
            .DefaultExtension = "txt",
            .FileName = "",
            .ConfirmOverwrite = true};
}

}  // namespace kelvane

#include "program/SessionTalentFiles.h"

#include "app/EditorSession.h"
#include "core/workspace/Workspace.h"
#include "shell/CommandCancelled.h"

namespace kelvane {

// The talent editor's file replaces the main window's table, so what was typed there goes in
// first and its unsaved changes are asked about; declining stops the editor's action.
void SessionTalentFiles::OpenTableFile(const std::string& path) {
    if (!session_.CommitTypedEdit() || !session_.SaveOrDiscardChanges()) {
        throw CommandCancelled();
    }
    session_.OpenTableFile(path);
}

RecordTable& SessionTalentFiles::Table() {
    return session_.Work().Table;
}

bool SessionTalentFiles::Save() {
    return session_.Save();
}

}  // namespace kelvane

#include "program/SessionTalentFiles.h"

#include "app/EditorSession.h"
#include "core/Workspace.h"

namespace kelvane {

void SessionTalentFiles::OpenTableFile(const std::string& path) {
    session_.OpenTableFile(path);
}

RecordTable& SessionTalentFiles::Table() {
    return session_.Work().Table;
}

bool SessionTalentFiles::Save() {
    return session_.Save();
}

}  // namespace kelvane

#pragma once

#include "talents/TalentFiles.h"

namespace kelvane {

class EditorSession;

// The talent editor's files reached through the main window's commands: every view load,
// save and delete makes its file the main window's current table.
class SessionTalentFiles : public TalentFiles {
  public:
    explicit SessionTalentFiles(EditorSession& session) : session_(session) {}

    void OpenTableFile(const std::string& path) override;
    RecordTable& Table() override;
    bool Save() override;

  private:
    EditorSession& session_;
};

}  // namespace kelvane

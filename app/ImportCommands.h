#pragma once

#include <string>
#include <vector>

#include "import/ScriptImports.h"

namespace kelvane {

class RecordTable;
class UserDialogs;
class WorkFeedback;

// The "&Import" menu's script imports: the shared open dialog preset for each kind, the run
// with the busy cursor, and what the user must hear afterwards.
class ImportCommands {
  public:
    ImportCommands(RecordTable& table, UserDialogs& dialogs, WorkFeedback& feedback);

    // Appends one record per section of the chosen script to the open table.
    void ImportRecords(ScriptImport kind);
    // Writes the loot template files of the chosen script; the open table is not touched.
    void ImportLootTemplates();

  private:
    void ShowNotices(const std::vector<std::string>& notices);

    RecordTable& table_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
};

}  // namespace kelvane

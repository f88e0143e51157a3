#pragma once

#include <memory>

namespace kelvane {

class TableComparison;
class UserDialogs;
class WorkFeedback;
struct Workspace;

// The editor's comparison of the open table with another file of the same table, free of Qt.
// The chosen file is the older state and the open table the newer one: what a user has edited
// is what the patch text ships. The window may swap the two.
class CompareCommands {
  public:
    CompareCommands(Workspace& open, UserDialogs& dialogs, WorkFeedback& feedback);

    // Asks for the other file, loads it with the open table's field definitions and compares
    // it with the open table as a save would write it, unsaved edits included; the open table
    // stays as it is. Nothing when the dialog is cancelled. A file with another number of
    // fields is refused.
    std::unique_ptr<TableComparison> CompareWithFile();
    // Asks where to write the patch text of the comparison, writes it and says what it left
    // out.
    void SavePatch(const TableComparison& comparison);

  private:
    Workspace& open_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
};

}  // namespace kelvane

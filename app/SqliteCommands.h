#pragma once

namespace kelvane {

class UserDialogs;
class WorkFeedback;
struct Workspace;

// The main window's SQLite exchange: the open table into a database file, and a database's
// table of the same name back into the open table.
class SqliteCommands {
  public:
    SqliteCommands(Workspace& work, UserDialogs& dialogs, WorkFeedback& feedback);

    // Asks for the file; an existing database keeps its other tables, which the user is told
    // before the table of the same name in it is replaced.
    void ExportDatabase();
    // Asks for the file, and whether rows go to records by position instead of by key, and
    // imports its table named after the open table as one undo step.
    void ImportDatabase();

  private:
    Workspace& work_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
    // The import's choice to match by position, kept while the program runs.
    bool byPosition_ = false;
};

}  // namespace kelvane

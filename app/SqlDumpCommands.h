#pragma once

namespace kelvane {

class UserDialogs;
class WorkFeedback;
struct Workspace;

// The main window's MySQL / MariaDB dump of the open table: asks for the file and writes the
// script that loads the table into a database.
class SqlDumpCommands {
  public:
    SqlDumpCommands(Workspace& workspace, UserDialogs& dialogs, WorkFeedback& feedback);

    void ExportMysqlDump();

  private:
    Workspace& workspace_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
};

}  // namespace kelvane

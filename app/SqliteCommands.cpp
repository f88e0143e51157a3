#include "app/SqliteCommands.h"

#include <sys/stat.h>

#include "app/ImportByPosition.h"
#include "app/LongWork.h"
#include "app/StatusTexts.h"
#include "core/files/FileMemoryGuard.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteExport.h"
#include "databases/SqliteImport.h"
#include "exchange/RepeatedImportKeyError.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane {
namespace {

const std::vector<FileFilter> kDatabaseFilters = {{"SQLite database", "*.db *.sqlite *.sqlite3"},
                                                  {"All Files", "*.*"}};

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

SqliteCommands::SqliteCommands(Workspace& work, UserDialogs& dialogs, WorkFeedback& feedback)
    : work_(work), dialogs_(dialogs), feedback_(feedback) {}

void SqliteCommands::ExportDatabase() {
    work_.Table.RequireActive();
    const std::string& tableName = work_.Current.TableName;
    // Writing into an existing database replaces one table, not the file: the question is ours.
    FileDialogRequest request{"Export to SQLite database", kDatabaseFilters, "db",
                              tableName + ".db"};
    request.ConfirmOverwrite = false;
    const std::optional<std::string> path = dialogs_.ChooseSaveFile(request);
    if (!path) {
        return;
    }
    if (FileExists(*path) &&
        !dialogs_.Confirm(FileNameOfPath(*path) + " already exists. Write the table \"" +
                              tableName +
                              "\" into it? A table of that name there is replaced; the other "
                              "tables stay as they are.",
                          "Write")) {
        return;
    }
    SqliteExportReport report;
    {
        BusyScope busy(feedback_);
        report = ExportSqlite(work_, *path);
    }
    feedback_.CommandDone(SqliteExportedText(report, *path));
}

void SqliteCommands::ImportDatabase() {
    work_.Table.RequireActive();
    FileDialogRequest request{"Import from SQLite database", kDatabaseFilters, "", ""};
    request.CheckBoxes.push_back(ByPositionCheckBox(byPosition_));
    const std::optional<std::string> path = dialogs_.ChooseOpenFile(request);
    if (!path) {
        return;
    }
    const SqliteImportReport report =
        RunLongWork(feedback_, ImportingTitle(*path), [&](const WorkProgress& progress) {
            return ImportHintingPosition(ByPositionChoiceHint(), [&] {
                return GuardMemory(FileWork::Importing, *path, [&] {
                    return ImportSqlite(work_, *path, MatchChosen(byPosition_), progress);
                });
            });
        });
    feedback_.CommandDone(SqliteImportedText(report, *path));
}

}  // namespace kelvane

#include "app/SqlDumpCommands.h"

#include <optional>
#include <string>

#include "app/StatusTexts.h"
#include "core/workspace/Workspace.h"
#include "databases/MysqlDump.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane {

SqlDumpCommands::SqlDumpCommands(Workspace& workspace, UserDialogs& dialogs, WorkFeedback& feedback)
    : workspace_(workspace), dialogs_(dialogs), feedback_(feedback) {}

void SqlDumpCommands::ExportMysqlDump() {
    RecordTable& table = workspace_.Table;
    table.RequireActive();
    // A record being typed into goes out as it will be stored, and a value the column refuses
    // stops here, before the dialog.
    table.FinishEditing();
    const std::string& tableName = workspace_.Current.TableName;
    const FileDialogRequest request{"Export MySQL dump",
                                    {{"MySQL dump (*.sql)", "*.sql"}, {"All Files", "*.*"}},
                                    "sql",
                                    tableName + ".sql"};
    const std::optional<std::string> path = dialogs_.ChooseSaveFile(request);
    if (!path) {
        return;
    }
    MysqlDumpReport report;
    {
        BusyScope busy(feedback_);
        report = WriteMysqlDump(table, workspace_.FileLayout, tableName, *path);
    }
    feedback_.CommandDone(ExportedRecordsText(report.Records, *path));
    if (const std::string warning = report.Warning(); !warning.empty()) {
        dialogs_.ShowMessage(warning);
    }
}

}  // namespace kelvane

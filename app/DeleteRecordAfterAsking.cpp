#include "app/DeleteRecordAfterAsking.h"

#include <string>

#include "core/base/EchoText.h"
#include "core/table/RecordTable.h"
#include "shell/UserDialogs.h"

namespace kelvane {

void DeleteRecordAfterAsking(RecordTable& table, UserDialogs& dialogs) {
    table.RequireActive();
    const int row = table.CurrentRow();
    if (row < 0) {
        return;
    }
    // Numbered as the status bar numbers records, and named by its key, so the answer is about
    // the record the user means.
    std::string question =
        "Delete record " + std::to_string(row + 1) + " of " + std::to_string(table.RecordCount());
    constexpr int kKeyColumn = 1;
    if (table.FieldCount() > kKeyColumn) {
        question += " (" + EchoText(table.ColumnName(kKeyColumn)) + " " +
                    EchoText(table.DisplayText(row, kKeyColumn)) + ")";
    }
    question += "?";
    if (dialogs.AskYesNo(question)) {
        table.Delete();
    }
}

}  // namespace kelvane

#include "app/DeleteRecordAfterAsking.h"

#include "core/RecordTable.h"
#include "shell/UserDialogs.h"

namespace kelvane {

void DeleteRecordAfterAsking(RecordTable& table, UserDialogs& dialogs) {
    if (dialogs.AskYesNo("Delete a record?")) {
        table.Delete();
    }
}

}  // namespace kelvane

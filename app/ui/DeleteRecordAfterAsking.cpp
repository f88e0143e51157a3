#include "app/ui/DeleteRecordAfterAsking.h"

#include "app/UserDialogs.h"
#include "core/RecordTable.h"

namespace kelvane {

void DeleteRecordAfterAsking(RecordTable& table, UserDialogs& dialogs) {
    if (dialogs.AskYesNo("Delete a record?")) {
        table.Delete();
    }
}

}  // namespace kelvane

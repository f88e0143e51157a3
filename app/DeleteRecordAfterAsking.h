#pragma once

namespace kelvane {

class RecordTable;
class UserDialogs;

// Deletes the current record once the user has answered "Delete a record?" with Yes. The
// grid's Ctrl+Delete, the navigator's delete button and the pop-up's "Delete Row" ask alike.
void DeleteRecordAfterAsking(RecordTable& table, UserDialogs& dialogs);

}  // namespace kelvane

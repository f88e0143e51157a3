#pragma once

#include <string>

namespace kelvane {

// Fails when SQLite's journal beside the database file says a write is under way or was cut
// off (a rollback journal with a live header, or a write-ahead log with anything in it): a
// file saved in the database's place would then meet that journal, and SQLite would apply it to
// the new file and damage it. The message names shownPath and says that nothing was saved.
void RequireNoUnfinishedWrite(const std::string& databasePath, const std::string& shownPath);

}  // namespace kelvane

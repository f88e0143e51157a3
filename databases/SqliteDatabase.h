#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "databases/SqliteStatement.h"

struct sqlite3;

namespace kelvane {

enum class SqliteAccess {
    ReadOnly,
    ReadWrite,  // the file must exist
    Create,     // a missing file becomes an empty database
};

// One connection to a database file, closed when it goes. Every failure is a KelvaneError
// naming the file as the user knows it (shownPath, which may differ from the file opened, as for
// a temporary file that replaces it): "'x.db' is not a SQLite database", "x.db: disk I/O error".
// Databases from anywhere are read with SQLite's defensive settings: their schema runs no
// functions with side effects, and no value may exceed a limit far above what a table cell
// holds, so that a hostile file fails with a message instead of eating the memory.
class SqliteDatabase {
  public:
    SqliteDatabase(const std::string& path, SqliteAccess access, std::string shownPath);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    const std::string& ShownPath() const { return shownPath_; }

    // Runs statements that return no rows, separated by ";".
    void Execute(const std::string& sql);
    SqliteStatement Prepare(std::string_view sql) const;
    // Nothing when the statement does not compile (a column it names is missing, say).
    std::optional<SqliteStatement> TryPrepare(std::string_view sql) const;

    // Throws the message of a failed call that returned result.
    [[noreturn]] void Fail(int result) const;

  private:
    sqlite3* connection_ = nullptr;
    std::string shownPath_;
};

// A name as a quoted SQL identifier: in double quotes, a double quote in it doubled.
std::string QuotedSqlName(std::string_view name);

// The longest text or blob a database value may hold for us.
inline constexpr int kLongestSqliteValue = 64 * 1024 * 1024;

}  // namespace kelvane

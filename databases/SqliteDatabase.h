#pragma once

#include <cstdint>
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

    // Replaces this database with a copy of source's, page by page, holding a read
    // transaction on source throughout so that the copy is of one version.
    void CopyFrom(const SqliteDatabase& source);

    // Stops any statement once the connection has run about this many SQLite instructions in
    // all, failing with a message naming the file: no value a database can compute then
    // costs more time than reading a file of its size takes.
    void LimitWork(uint64_t instructions);

    // Throws the message of a failed call that returned result.
    [[noreturn]] void Fail(int result) const;

  private:
    static int CountWork(void* database);

    sqlite3* connection_ = nullptr;
    std::string shownPath_;
    uint64_t workLeft_ = 0;  // in steps of kWorkStep instructions, while limited
    bool workExhausted_ = false;
};

// A name as a quoted SQL identifier: in double quotes, a double quote in it doubled.
std::string QuotedSqlName(std::string_view name);

// The longest text or blob a database value may hold for us.
inline constexpr int kLongestSqliteValue = 64 * 1024 * 1024;

}  // namespace kelvane

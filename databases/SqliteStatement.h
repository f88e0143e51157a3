#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "databases/SqliteValue.h"

struct sqlite3_stmt;

namespace kelvane {

class SqliteDatabase;

// One prepared statement of a connection, finalized when it goes. Values are bound by
// position counting from 1, result columns are read counting from 0, as SQLite counts them.
// Failures are KelvaneErrors naming the database file (see SqliteDatabase::Fail).
class SqliteStatement {
  public:
    SqliteStatement(const SqliteDatabase& database, sqlite3_stmt* statement);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // The text must outlive the next Step: SQLite keeps only the pointer.
    void BindText(int position, std::string_view text);
    void BindInteger(int position, int64_t value);
    void BindReal(int position, double value);
    void BindNull(int position);

    // Runs the statement to its next row: true with a row to read, false when done.
    bool Step();
    // Makes the statement ready to run again; bound values stay.
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    SqliteValue ValueAt(int column) const;
    // ValueAt(column).Text(): valid until the next Step or Reset.
    std::string_view TextAt(int column) const;

  private:
    void Check(int result) const;

    const SqliteDatabase& database_;
    sqlite3_stmt* statement_;
};

}  // namespace kelvane

#include "databases/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

#include "databases/SqliteDatabase.h"

namespace kelvane {

SqliteStatement::SqliteStatement(const SqliteDatabase& database, sqlite3_stmt* statement)
    : database_(database), statement_(statement) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : database_(other.database_), statement_(std::exchange(other.statement_, nullptr)) {}

void SqliteStatement::Check(int result) const {
    if (result != SQLITE_OK) {
        database_.Fail(result);
    }
}

void SqliteStatement::BindText(int position, std::string_view text) {
    Check(sqlite3_bind_text64(statement_, position, text.data(), text.size(), SQLITE_STATIC,
                              SQLITE_UTF8));
}

void SqliteStatement::BindInteger(int position, int64_t value) {
    Check(sqlite3_bind_int64(statement_, position, value));
}

void SqliteStatement::BindReal(int position, double value) {
    Check(sqlite3_bind_double(statement_, position, value));
}

void SqliteStatement::BindNull(int position) {
    Check(sqlite3_bind_null(statement_, position));
}

bool SqliteStatement::Step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result != SQLITE_DONE) {
        database_.Fail(result);
    }
    return false;
}

void SqliteStatement::Reset() {
    Check(sqlite3_reset(statement_));
}

int SqliteStatement::ColumnCount() const {
    return sqlite3_column_count(statement_);
}

std::string SqliteStatement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(statement_, column);
    return name != nullptr ? name : "";
}

SqliteValue SqliteStatement::ValueAt(int column) const {
    return SqliteValue(sqlite3_column_value(statement_, column));
}

std::string_view SqliteStatement::TextAt(int column) const {
    return ValueAt(column).Text();
}

}  // namespace kelvane

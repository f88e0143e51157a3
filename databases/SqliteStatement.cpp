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

SqliteType SqliteStatement::TypeAt(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            return SqliteType::Integer;
        case SQLITE_FLOAT:
            return SqliteType::Real;
        case SQLITE_TEXT:
            return SqliteType::Text;
        case SQLITE_BLOB:
            return SqliteType::Blob;
        default:
            return SqliteType::Null;
    }
}

int64_t SqliteStatement::IntegerAt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::RealAt(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string_view SqliteStatement::TextAt(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    if (text == nullptr) {
        // NULL, or a text SQLite could not convert for want of memory.
        if (sqlite3_errcode(sqlite3_db_handle(statement_)) == SQLITE_NOMEM) {
            database_.Fail(SQLITE_NOMEM);
        }
        return {};
    }
    return std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
}

}  // namespace kelvane

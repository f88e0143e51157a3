#include "databases/SqliteDatabase.h"

#include <sqlite3.h>

#include "core/base/KelvaneError.h"

namespace kelvane {
namespace {

// How many instructions run between two looks at the work done.
constexpr int kWorkStep = 1000;

// No URI names: a path is a path, whatever its first characters. A connection serves one
// thread, so it needs no mutex of its own, which every call would otherwise take.
int OpenFlags(SqliteAccess access) {
    switch (access) {
        case SqliteAccess::ReadOnly:
            return SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
        case SqliteAccess::ReadWrite:
            return SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
        case SqliteAccess::Create:
            break;
    }
    return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
}

void MakeDefensive(sqlite3* connection) {
    sqlite3_extended_result_codes(connection, 1);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(connection, SQLITE_LIMIT_LENGTH, kLongestSqliteValue);
    // A locked database is waited for a moment, as another program may be writing it.
    sqlite3_busy_timeout(connection, 5000);
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, SqliteAccess access, std::string shownPath)
    : shownPath_(std::move(shownPath)) {
    const int result = sqlite3_open_v2(path.c_str(), &connection_, OpenFlags(access), nullptr);
    if (result != SQLITE_OK) {
        const std::string reason =
            connection_ != nullptr ? sqlite3_errmsg(connection_) : sqlite3_errstr(result);
        sqlite3_close(connection_);
        throw KelvaneError("Cannot open the database \"" + shownPath_ + "\". " + reason);
    }
    MakeDefensive(connection_);
}

SqliteDatabase::~SqliteDatabase() {
    // Statements are finalized before their connection goes, so this closes for good and an
    // open transaction is rolled back.
    sqlite3_close(connection_);
}

void SqliteDatabase::Execute(const std::string& sql) {
    if (const int result = sqlite3_exec(connection_, sql.c_str(), nullptr, nullptr, nullptr);
        result != SQLITE_OK) {
        Fail(result);
    }
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql) const {
    sqlite3_stmt* statement = nullptr;
    const int result = sqlite3_prepare_v2(connection_, sql.data(), static_cast<int>(sql.size()),
                                          &statement, nullptr);
    if (result != SQLITE_OK) {
        Fail(result);
    }
    return SqliteStatement(*this, statement);
}

std::optional<SqliteStatement> SqliteDatabase::TryPrepare(std::string_view sql) const {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_, sql.data(), static_cast<int>(sql.size()), &statement,
                           nullptr) != SQLITE_OK) {
        return std::nullopt;
    }
    return SqliteStatement(*this, statement);
}

void SqliteDatabase::CopyFrom(const SqliteDatabase& source) {
    sqlite3_backup* backup = sqlite3_backup_init(connection_, "main", source.connection_, "main");
    if (backup == nullptr) {
        Fail(sqlite3_errcode(connection_));
    }
    const int copied = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (copied != SQLITE_DONE) {
        // Reading the source failed (it is no database, or another program holds it locked)
        // unless this side has its own reason.
        if (finished != SQLITE_OK) {
            Fail(finished);
        }
        source.Fail(copied);
    }
}

void SqliteDatabase::LimitWork(uint64_t instructions) {
    workLeft_ = instructions / kWorkStep + 1;
    sqlite3_progress_handler(connection_, kWorkStep, &SqliteDatabase::CountWork, this);
}

int SqliteDatabase::CountWork(void* database) {
    auto& self = *static_cast<SqliteDatabase*>(database);
    if (self.workLeft_ == 0) {
        self.workExhausted_ = true;
        return 1;
    }
    --self.workLeft_;
    return 0;
}

void SqliteDatabase::Fail(int result) const {
    if ((result & 0xff) == SQLITE_INTERRUPT && workExhausted_) {
        throw KelvaneError("\"" + shownPath_ +
                           "\" asks for far more work than reading a database of its size takes, "
                           "and was given up on; a value computed when it is read (a generated "
                           "column) may be the cause.");
    }
    if ((result & 0xff) == SQLITE_NOTADB) {
        throw KelvaneError("\"" + shownPath_ + "\" is not a SQLite database");
    }
    throw KelvaneError(shownPath_ + ": " + sqlite3_errmsg(connection_));
}

std::string QuotedSqlName(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace kelvane

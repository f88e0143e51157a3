#pragma once

#include <string>

namespace kelvane {

struct Workspace;

// What an export into a database file wrote.
struct SqliteExportReport {
    std::string TableName;
    int Records = 0;
    bool KeyIsPrimary = false;
};

// Writes the open table into the SQLite database file at path as one table named after the DBC
// table (the workspace's table name): a column per field with its definitions' name and INTEGER,
// REAL or TEXT affinity, the key column the primary key when no two records share a key, a
// record per row in table order, blank cells NULL. A record being edited is finished first.
//
// A missing file becomes a new database. An existing database keeps its other tables, and a
// table of that name is replaced. Either way the file is saved as every other file is
// (AtomicFileWriter): the database is copied into a temporary file beside it, changed there
// and renamed over it, so a failure leaves the file as it was, and a read-only or hard-linked
// database is refused, a symbolic link followed. A database that another program changed while
// it was copied fails with FileChangedError; one whose journal says a write is under way or
// was cut off is refused (RequireNoUnfinishedWrite). SQLite
// holds no NaN and no negative zero: a NaN float goes in as the text 'NAN' (read back as NaN),
// and -0 as 0.
SqliteExportReport ExportSqlite(Workspace& work, const std::string& path);

}  // namespace kelvane

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
// A missing file becomes a new database. An existing database keeps its other tables: a table
// of that name is replaced, in one transaction, so a failure leaves the file as it was. SQLite
// holds no NaN and no negative zero: a NaN float goes in as the text 'NAN' (read back as NaN),
// and -0 as 0.
SqliteExportReport ExportSqlite(Workspace& work, const std::string& path);

}  // namespace kelvane

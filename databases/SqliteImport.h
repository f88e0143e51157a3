#pragma once

#include <string>

#include "exchange/ImportRows.h"

namespace kelvane {

class RecordTable;
struct Workspace;

// Reads the table tableName (compared without case, as SQLite does) of the SQLite database file
// at path into import rows for the open table, in rowid order. Its columns go to the table's
// columns of the same names (without case); the key column must be among them, table columns
// it lacks are left alone. INTEGER, REAL and TEXT values are read as the column's kind reads
// them, NULL is a blank cell. Fails with a KelvaneError naming the file, the table and, for a
// value, the row (its rowid) and column: for a file that is no database, a missing table (the
// message lists those there are), a view, a column the open table lacks, a column computed
// whenever it is read (a virtual generated column), a BLOB, a value the column cannot hold, or
// a read that takes far more work than the file's size calls for. Nothing is written to the
// database. A stream (a pipe, `<(...)`) is copied into a scratch file first, since SQLite reads
// only files. progress hears of the rows read and may stop the reading.
ImportRows ReadSqliteRows(const RecordTable& table, const std::string& path,
                          const std::string& tableName, const WorkProgress& progress = {});

// What an import from a database did.
struct SqliteImportReport {
    int Rows = 0;  // rows read from the database table
    ImportMergeReport Merge;
};

// Reads the database table named after the open table and writes its rows into the open table
// as one undo step, "Import SQLite": the records match finds, by key or by position in rowid
// order, are changed, the other rows added (see MergeImportRows, which also says when a key is
// refused). A failure leaves the table as it was, and so does progress stopping the import.
SqliteImportReport ImportSqlite(Workspace& work, const std::string& path, ImportMatch match,
                                const WorkProgress& progress = {});

}  // namespace kelvane

#include "databases/SqliteExport.h"

#include <sys/stat.h>

#include <cmath>
#include <string_view>

#include "core/AtomicFileWriter.h"
#include "core/Workspace.h"
#include "databases/SqlTableShape.h"
#include "databases/SqliteDatabase.h"

namespace kelvane {
namespace {

constexpr std::string_view kNanText = "NAN";

std::string_view Affinity(FieldKind kind) {
    switch (kind) {
        case FieldKind::ftInteger:
            return "INTEGER";
        case FieldKind::ftFloat:
            return "REAL";
        case FieldKind::ftString:
            break;
    }
    return "TEXT";
}

std::string QualifiedName(const SqlTableShape& shape) {
    return "main." + QuotedSqlName(shape.Name);
}

// An INTEGER key becomes the table's rowid, which costs no index of its own.
std::string CreateTableSql(const SqlTableShape& shape) {
    std::string sql = "CREATE TABLE " + QualifiedName(shape) + " (";
    for (size_t i = 0; i < shape.Columns.size(); ++i) {
        const SqlColumn& column = shape.Columns[i];
        sql += (i > 0 ? ", " : "") + QuotedSqlName(column.Name) + " ";
        sql += Affinity(column.Kind);
        if (i == 0 && shape.KeyIsUnique) {
            sql += " PRIMARY KEY";
        }
    }
    return sql + ")";
}

std::string InsertSql(const SqlTableShape& shape) {
    std::string sql = "INSERT INTO " + QualifiedName(shape) + " VALUES (";
    for (size_t i = 0; i < shape.Columns.size(); ++i) {
        sql += i > 0 ? ",?" : "?";
    }
    return sql + ")";
}

void BindCell(SqliteStatement& insert, int position, const RecordTable& table, int row,
              const SqlColumn& column) {
    const int tableColumn = column.TableColumn;
    if (table.IsBlank(row, tableColumn)) {
        insert.BindNull(position);
        return;
    }
    switch (column.Kind) {
        case FieldKind::ftInteger:
            insert.BindInteger(position, table.IntegerAt(row, tableColumn));
            return;
        case FieldKind::ftFloat: {
            // SQLite would store a NaN as NULL, which reads back as a blank cell.
            const double value = table.FloatAt(row, tableColumn);
            if (std::isnan(value)) {
                insert.BindText(position, kNanText);
            } else {
                insert.BindReal(position, value);
            }
            return;
        }
        case FieldKind::ftString:
            // The table's texts stay put until it changes, so SQLite may point into them.
            insert.BindText(position, table.StringAt(row, tableColumn));
            return;
    }
}

// An unfinished transaction is rolled back when the connection closes after a failure.
void WriteTable(SqliteDatabase& database, const RecordTable& table, const SqlTableShape& shape) {
    database.Execute("BEGIN IMMEDIATE");
    database.Execute("DROP TABLE IF EXISTS " + QualifiedName(shape));
    database.Execute(CreateTableSql(shape));
    {
        SqliteStatement insert = database.Prepare(InsertSql(shape));
        const int columns = static_cast<int>(shape.Columns.size());
        for (int row = 0; row < table.RecordCount(); ++row) {
            for (int i = 0; i < columns; ++i) {
                BindCell(insert, i + 1, table, row, shape.Columns[static_cast<size_t>(i)]);
            }
            insert.Step();
            insert.Reset();
        }
    }
    database.Execute("COMMIT");
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// A new database is built in a temporary file that replaces the target only when complete, so
// SQLite needs neither a journal nor its own flushes there.
void WriteNewDatabase(const std::string& path, const RecordTable& table,
                      const SqlTableShape& shape) {
    AtomicFileWriter file(path);
    {
        SqliteDatabase database(file.TemporaryPath(), SqliteAccess::ReadWrite, path);
        database.Execute(
            "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
            "PRAGMA cache_size=-65536");
        WriteTable(database, table, shape);
    }
    file.Commit();
}

}  // namespace

SqliteExportReport ExportSqlite(Workspace& work, const std::string& path) {
    RecordTable& table = work.Table;
    table.RequireActive();
    table.FinishEditing();
    const SqlTableShape shape = ShapeOfTable(table, work.FileLayout, work.Current.TableName);
    if (FileExists(path)) {
        // Another program may have the database open: SQLite's own journal and locks keep
        // the change whole for everyone.
        SqliteDatabase database(path, SqliteAccess::ReadWrite, path);
        WriteTable(database, table, shape);
    } else {
        WriteNewDatabase(path, table, shape);
    }
    return SqliteExportReport{shape.Name, table.RecordCount(), shape.KeyIsUnique};
}

}  // namespace kelvane

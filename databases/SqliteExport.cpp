#include "databases/SqliteExport.h"

#include <sys/stat.h>

#include <cmath>
#include <string_view>
#include <vector>

#include "core/AtomicFileWriter.h"
#include "core/ColumnStore.h"
#include "core/StringPool.h"
#include "core/ValueText.h"
#include "core/Workspace.h"
#include "databases/SqlTableShape.h"
#include "databases/SqliteDatabase.h"

namespace kelvane {
namespace {

// SQLite keeps a REAL that is a whole number as an integer, so -0 would come back as 0, and
// it stores a NaN as NULL. Those floats go in as texts the import reads back bit for bit: a NaN
// as the cell text writes it, -0 as a C hexadecimal float, since SQLite would take the text
// "-0" for the number 0 as well.
constexpr std::string_view kNegativeZeroText = "-0x0p+0";

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

// The cells of one column as the table stores them, read slot by slot: a pass over the whole
// table needs none of the checks of reading a cell by row.
struct StoredColumn {
    const ColumnStore* Store = nullptr;
    FieldKind Kind = FieldKind::ftInteger;
};

// text holds a float's text until the row is inserted.
void BindCell(SqliteStatement& insert, int position, const StringPool& strings,
              const StoredColumn& column, uint32_t slot, std::string& text) {
    const ColumnStore& store = *column.Store;
    if (store.IsBlank(slot)) {
        insert.BindNull(position);
        return;
    }
    switch (column.Kind) {
        case FieldKind::ftInteger:
            insert.BindInteger(position, store.Integers[slot]);
            return;
        case FieldKind::ftFloat: {
            const double value = store.Floats[slot];
            if (std::isnan(value)) {
                text = FloatText(value);
                insert.BindText(position, text);
            } else if (value == 0 && std::signbit(value)) {
                insert.BindText(position, kNegativeZeroText);
            } else {
                insert.BindReal(position, value);
            }
            return;
        }
        case FieldKind::ftString:
            // The table's texts stay put until it changes, so SQLite may point into them.
            insert.BindText(position, strings.View(store.Strings[slot]));
            return;
    }
}

// An unfinished transaction is rolled back when the connection closes after a failure. The
// table is browsed, not edited, throughout.
void WriteTable(SqliteDatabase& database, const RecordTable& table, const SqlTableShape& shape) {
    database.Execute("BEGIN IMMEDIATE");
    database.Execute("DROP TABLE IF EXISTS " + QualifiedName(shape));
    database.Execute(CreateTableSql(shape));
    std::vector<StoredColumn> columns;
    for (const SqlColumn& column : shape.Columns) {
        columns.push_back({&table.ColumnStoreAt(column.TableColumn), column.Kind});
    }
    {
        SqliteStatement insert = database.Prepare(InsertSql(shape));
        std::vector<std::string> floatTexts(columns.size());
        for (const uint32_t slot : table.RecordSlots()) {
            for (size_t i = 0; i < columns.size(); ++i) {
                BindCell(insert, static_cast<int>(i) + 1, table.Strings(), columns[i], slot,
                         floatTexts[i]);
            }
            insert.Step();
            insert.Reset();
        }
    }
    database.Execute("COMMIT");
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A new database is built in a temporary file that replaces the target only when complete, so
// SQLite needs neither a journal nor its own flushes there. A target that is no file at all (a
// folder, a named pipe) is refused with the reason before anything is written.
void WriteNewDatabase(const std::string& path, const RecordTable& table,
                      const SqlTableShape& shape) {
    AtomicFileWriter file(path);
    {
        SqliteDatabase database(file.TemporaryPath(), SqliteAccess::ReadWrite, path);
        database.Execute(
            "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
            "PRAGMA cache_size=-8192; PRAGMA page_size=16384");
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
    if (IsRegularFile(path)) {
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

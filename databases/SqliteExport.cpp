#include "databases/SqliteExport.h"

#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "core/base/ValueText.h"
#include "core/files/AtomicFileWriter.h"
#include "core/files/FileSnapshot.h"
#include "core/files/ResolvedPath.h"
#include "core/table/ColumnStore.h"
#include "core/table/StringPool.h"
#include "core/workspace/Workspace.h"
#include "databases/SqlTableShape.h"
#include "databases/SqliteDatabase.h"
#include "databases/SqliteUnfinishedWrite.h"

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

// Written into a temporary file, which SQLite needs to flush or journal nothing in, as it
// replaces the target only when complete.
void PrepareWrite(SqliteDatabase& database) {
    database.Execute(
        "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
        "PRAGMA cache_size=-8192");
}

}  // namespace

SqliteExportReport ExportSqlite(Workspace& work, const std::string& path) {
    RecordTable& table = work.Table;
    table.RequireActive();
    table.FinishEditing();
    const SqlTableShape shape = ShapeOfTable(table, work.FileLayout, work.Current.TableName);
    // Saved like every other file: the database changes in a temporary copy that replaces it
    // when complete. The target's state is taken before the copy, so that another program's
    // change after it fails the save at the rename instead of being lost.
    const std::optional<FileSnapshot> existing = FileSnapshot::Take(path);
    AtomicFileWriter file(path, existing);
    const std::string databasePath = ResolvedPath::Of(path).Path;
    {
        SqliteDatabase database(file.TemporaryPath(), SqliteAccess::ReadWrite, path);
        if (existing) {
            RequireNoUnfinishedWrite(databasePath, path);
            // Opened for writing although only read: a database with a write-ahead log then
            // takes the log's files away again as it closes, which a reading connection would
            // leave behind. The target checks have made sure it may be written.
            const SqliteDatabase source(databasePath, SqliteAccess::ReadWrite, path);
            database.CopyFrom(source);
        } else {
            database.Execute("PRAGMA page_size=16384");
        }
        PrepareWrite(database);
        WriteTable(database, table, shape);
    }
    if (existing) {
        // A program that began writing since would leave its journal beside the new file.
        RequireNoUnfinishedWrite(databasePath, path);
    }
    file.Commit();
    return SqliteExportReport{shape.Name, table.RecordCount(), shape.KeyIsUnique};
}

}  // namespace kelvane

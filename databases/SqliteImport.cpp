#include "databases/SqliteImport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/files/InputFile.h"
#include "core/files/ScratchFile.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteDatabase.h"

namespace kelvane {
namespace {

// A database with hundreds of tables lists only the first of them in a message.
constexpr size_t kTablesListed = 20;

// Instructions a read may take: a floor for any small file, and a share per byte of the file
// far above what reading a value of that byte costs, even a value of one of thousands of
// columns (see SqliteDatabase::LimitWork).
constexpr uint64_t kWorkFloor = 100'000'000;
constexpr uint64_t kWorkPerByte = 1'000;

// The first two bytes past this offset of a database file say how it is journaled; 2 and 2: a
// write-ahead log beside it.
constexpr off_t kFormatVersionsOffset = 18;

// A stream copied into a scratch file, which SQLite can read by its name. The copy has no
// write-ahead log beside it and is marked as a database without one, since a read-only
// connection would make the log's files beside it and leave them there.
struct StreamCopy {
    explicit StreamCopy(InputFile& stream) : File(stream.Path()) {
        CopyRest(stream, File);
        constexpr char kRollbackJournal[2] = {1, 1};
        char versions[2] = {};
        if (::pread(File.Fd(), versions, 2, kFormatVersionsOffset) == 2 && versions[0] == 2 &&
            versions[1] == 2) {
            ::pwrite(File.Fd(), kRollbackJournal, 2, kFormatVersionsOffset);
        }
    }
    ScratchFile File;
};

std::string TableListText(const std::vector<std::string>& names) {
    if (names.empty()) {
        return "it holds no tables";
    }
    const size_t listed = std::min(names.size(), kTablesListed);
    std::string text =
        "its tables are " + QuotedList(std::span<const std::string>(names.data(), listed));
    if (names.size() > listed) {
        text += " and " + std::to_string(names.size() - listed) + " more";
    }
    return text;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EqualsIgnoreCase(text.substr(0, start.size()), start);
}

// The database's own name of the table, found without case.
std::string FindTable(const SqliteDatabase& database, const std::string& wanted,
                      const std::string& where) {
    SqliteStatement tables = database.Prepare(
        "SELECT name, type, sql FROM main.sqlite_master WHERE type IN ('table', 'view') "
        "ORDER BY name");
    std::vector<std::string> names;
    while (tables.Step()) {
        const std::string name(tables.TextAt(0));
        if (StartsWithIgnoreCase(name, "sqlite_")) {
            continue;  // SQLite's own bookkeeping
        }
        if (EqualsIgnoreCase(name, wanted)) {
            if (tables.TextAt(1) == "view") {
                throw KelvaneError(where + ": '" + EchoText(name) +
                                   "' is a view; only a table can be imported");
            }
            if (StartsWithIgnoreCase(tables.TextAt(2), "CREATE VIRTUAL")) {
                throw KelvaneError(where + ": '" + EchoText(name) +
                                   "' is a virtual table; only a stored table can be imported");
            }
            return name;
        }
        names.push_back(name);
    }
    throw KelvaneError(where + " has no table '" + EchoText(wanted) + "': " + TableListText(names));
}

// A virtual generated column computes its value whenever a row is read, as the file tells
// it to: such work is refused rather than run. Stored generated columns hold their values.
void RefuseComputedColumns(const SqliteDatabase& database, const std::string& table,
                           const std::string& where) {
    SqliteStatement columns = database.Prepare(
        "SELECT name FROM pragma_table_xinfo(?1, 'main') WHERE hidden = 2 ORDER BY cid");
    columns.BindText(1, table);
    if (columns.Step()) {
        throw KelvaneError(where + ": the column '" + EchoText(columns.TextAt(0)) +
                           "' is computed whenever it is read (a virtual generated column); "
                           "only stored values can be imported");
    }
}

// The table's rows in rowid order, the rowid first when the table has one that no column of
// it hides; otherwise the rows in the order SQLite keeps them.
struct TableQuery {
    SqliteStatement Rows;
    bool HasRowid = false;
};

TableQuery QueryTable(const SqliteDatabase& database, const std::string& table) {
    const std::string from = " FROM main." + QuotedSqlName(table);
    SqliteStatement all = database.Prepare("SELECT *" + from);
    std::vector<std::string> columns;
    for (int i = 0; i < all.ColumnCount(); ++i) {
        columns.push_back(all.ColumnName(i));
    }
    for (const std::string_view alias : {"rowid", "_rowid_", "oid"}) {
        const bool hidden = std::any_of(columns.begin(), columns.end(), [&](const std::string& c) {
            return EqualsIgnoreCase(c, alias);
        });
        if (hidden) {
            continue;
        }
        const std::string name(alias);
        if (std::optional<SqliteStatement> rows =
                database.TryPrepare("SELECT " + name + ", *" + from + " ORDER BY " + name)) {
            return TableQuery{std::move(*rows), true};
        }
        break;  // a table without rowid
    }
    return TableQuery{std::move(all), false};
}

// The open table's columns that the database table's columns go to, in the database's order.
std::vector<int> MatchColumns(const RecordTable& table, const SqliteStatement& rows,
                              int firstColumn, const std::string& where) {
    std::vector<int> columns;
    for (int i = firstColumn; i < rows.ColumnCount(); ++i) {
        const std::string name = rows.ColumnName(i);
        const int column = table.FindColumn(name);
        if (column < 0) {
            throw KelvaneError(where + ": the open table has no column '" + EchoText(name) + "'");
        }
        if (column == 0) {
            throw KelvaneError(where + ": the column '" + EchoText(name) +
                               "' would set the record numbers, which an import cannot");
        }
        columns.push_back(column);
    }
    if (columns.empty()) {
        throw KelvaneError(where + " has no columns");
    }
    return columns;
}

void ReadValue(ImportRows& imported, int position, const SqliteValue& value) {
    switch (value.Type()) {
        case SqliteType::Integer:
            imported.SetInteger(position, value.Integer());
            return;
        case SqliteType::Real:
            try {
                imported.SetFloat(position, value.Real());
            } catch (const KelvaneError& refusal) {
                // SQLite turns a number written with more digits than a double holds into
                // infinity, so the message says where the INF came from.
                if (!std::isinf(value.Real())) {
                    throw;
                }
                throw KelvaneError(std::string(refusal.what()) +
                                   " (the database holds it as a REAL: SQLite keeps a number too "
                                   "large for a 64-bit float as infinity)");
            }
            return;
        case SqliteType::Text:
            imported.SetText(position, value.Text());
            return;
        case SqliteType::Blob:
            throw KelvaneError("the value is a BLOB (binary data), which no table cell can hold");
        case SqliteType::Null:
            return;  // the cell stays blank
    }
}

// The rows the table holds, so that the staging grows once; a count beyond any table is no
// reason to take the memory up front.
int RowCountHint(const SqliteDatabase& database, const std::string& table) {
    constexpr int64_t kMostReserved = 1 << 22;
    SqliteStatement count = database.Prepare("SELECT count(*) FROM main." + QuotedSqlName(table));
    return count.Step() ? static_cast<int>(std::min(count.ValueAt(0).Integer(), kMostReserved)) : 0;
}

}  // namespace

ImportRows ReadSqliteRows(const RecordTable& table, const std::string& path,
                          const std::string& tableName, const WorkProgress& progress) {
    table.RequireActive();
    // SQLite reads files only by their name, and would wait on a named pipe for ever.
    InputFile input(path, NamedBy::User);
    std::optional<StreamCopy> copy;
    if (input.IsStream()) {
        copy.emplace(input);
    }
    SqliteDatabase database(copy ? copy->File.Path() : path, SqliteAccess::ReadOnly, path);
    struct stat file {};
    ::fstat(copy ? copy->File.Fd() : input.Fd(), &file);
    database.LimitWork(kWorkFloor + kWorkPerByte * static_cast<uint64_t>(file.st_size));
    const std::string name = FindTable(database, tableName, path);
    const std::string where = path + ", table '" + EchoText(name) + "'";
    RefuseComputedColumns(database, name, where);
    TableQuery query = QueryTable(database, name);
    SqliteStatement& rows = query.Rows;
    const int firstColumn = query.HasRowid ? 1 : 0;
    std::vector<int> columns = MatchColumns(table, rows, firstColumn, where);
    std::optional<ImportRows> imported;
    try {
        imported.emplace(table, std::move(columns),
                         ImportSource{where, ", ", query.HasRowid ? "rowid" : "row"});
    } catch (const KelvaneError& error) {
        throw KelvaneError(where + ": " + error.what());
    }
    const int expectedRows = RowCountHint(database, name);
    imported->Reserve(expectedRows);
    while (rows.Step()) {
        ReportProgress(progress, imported->RowCount(), expectedRows);
        if (query.HasRowid) {
            imported->AddRow(rows.ValueAt(0).Integer());
        } else {
            imported->AddRow();
        }
        for (int position = 0; position < imported->ColumnCount(); ++position) {
            const int column = firstColumn + position;
            try {
                ReadValue(*imported, position, rows.ValueAt(column));
            } catch (const KelvaneError& error) {
                const int last = imported->RowCount() - 1;
                throw KelvaneError(where + ", " + imported->Source().RowWord + " " +
                                   std::to_string(imported->Place(last)) + ", column '" +
                                   EchoText(rows.ColumnName(column)) + "': " + error.what());
            }
        }
    }
    return std::move(*imported);
}

SqliteImportReport ImportSqlite(Workspace& work, const std::string& path, ImportMatch match,
                                const WorkProgress& progress) {
    RecordTable& table = work.Table;
    table.RequireActive();
    table.FinishEditing();
    const ImportRows rows = ReadSqliteRows(table, path, work.Current.TableName, progress);
    SqliteImportReport report;
    report.Rows = rows.RowCount();
    report.Merge = MergeImportRows(table, rows, "Import SQLite", match, progress);
    return report;
}

}  // namespace kelvane

#include "databases/MysqlDump.h"

#include <vector>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/files/AtomicFileWriter.h"
#include "core/files/TablePaths.h"
#include "core/table/RecordTable.h"
#include "databases/MysqlColumnTypes.h"
#include "databases/MysqlInsertBatch.h"
#include "databases/MysqlNames.h"
#include "databases/MysqlRowText.h"
#include "databases/MysqlText.h"
#include "databases/SqlTableShape.h"

namespace kelvane {
namespace {

// MySQL compares texts without regard to trailing blanks (and, in most collations, to letter
// case), and a TEXT key needs a prefix length: a text key unique byte for byte could still be
// refused, so only number keys become the primary key.
bool HasPrimaryKey(const SqlTableShape& shape) {
    return shape.KeyIsUnique && shape.Columns.front().Kind != FieldKind::ftString;
}

// A comment line: "-- " and the text, its control bytes written as escapes. The client reads a
// comment up to the line's end, so a name holding a line break would otherwise put the rest of
// it on a line of its own, where it is run as a statement or a client command such as "\!".
std::string Comment(std::string_view text) {
    return "-- " + EscapedText(text) + "\n";
}

std::string Header(const SqlTableShape& shape, const std::vector<MysqlColumn>& columns, int records,
                   const std::string& target) {
    std::string text = Comment("MySQL / MariaDB dump of the table " + shape.Name +
                               " written by Kelvane: " + std::to_string(records) + " records, " +
                               std::to_string(shape.Columns.size()) + " columns.");
    text += Comment("Load it with: mariadb DATABASE < " + FileNameOfPath(target) +
                    " (or mysql). It replaces the table.");
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].Binary) {
            text += Comment(MysqlName(shape.Columns[i].Name) +
                            " holds texts that are not UTF-8: it is a binary column, which keeps "
                            "their bytes as they are.");
        }
    }
    if (shape.KeyIsUnique && !HasPrimaryKey(shape)) {
        text += Comment("The text key " + MysqlName(shape.Columns.front().Name) +
                        " is not the primary key: MySQL ignores trailing blanks when it compares "
                        "texts.");
    }
    // Backslash escapes and the texts' bytes mean what they say only in this mode and character
    // set; strict mode stops the load at a value the column cannot hold.
    text +=
        "\n"
        "SET @kelvane_old_sql_mode = @@SESSION.sql_mode;\n"
        "SET SESSION sql_mode = 'STRICT_ALL_TABLES';\n"
        "SET NAMES utf8mb4;\n\n";
    return text;
}

std::string CreateTable(const SqlTableShape& shape, const std::vector<MysqlColumn>& columns) {
    const bool primaryKey = HasPrimaryKey(shape);
    const std::string name = MysqlName(shape.Name);
    std::string text = "DROP TABLE IF EXISTS " + name + ";\nCREATE TABLE " + name + " (\n";
    for (size_t i = 0; i < columns.size(); ++i) {
        text += "  " + MysqlName(shape.Columns[i].Name) + " " + columns[i].Type;
        if (i == 0 && primaryKey) {
            text += " NOT NULL";
        }
        text += i + 1 < columns.size() || primaryKey ? ",\n" : "\n";
    }
    if (primaryKey) {
        text += "  PRIMARY KEY (" + MysqlName(shape.Columns.front().Name) + ")\n";
    }
    return text + ") DEFAULT CHARSET=utf8mb4;\n\n";
}

}  // namespace

MysqlDumpReport DumpMysql(RecordTable& table, const CellLayout& layout,
                          const std::string& tableName, const std::string& target,
                          const std::function<void(std::string_view text)>& sink) {
    table.RequireActive();
    table.FinishEditing();
    const SqlTableShape shape = ShapeOfTable(table, layout, tableName);
    const auto fail = [&target](const std::string& why) {
        throw KelvaneError("Cannot write the MySQL dump \"" + target + "\": " + why + ".");
    };
    if (shape.Columns.empty()) {
        fail("the table has no columns besides Index");
    }
    if (const std::string problem = MysqlNameProblem(shape); !problem.empty()) {
        fail(problem);
    }
    const std::vector<MysqlColumn> columns = MysqlColumnsOf(table, shape);

    MysqlDumpReport report;
    report.Records = table.RecordCount();
    sink(Header(shape, columns, report.Records, target));
    sink(CreateTable(shape, columns));
    sink("START TRANSACTION;\n");
    MysqlInsertBatch batch("INSERT INTO " + MysqlName(shape.Name) + " VALUES", kMysqlStatementBytes,
                           sink);
    MysqlRowText rows(table, shape, columns, target);
    std::string row;
    for (int record = 0; record < report.Records; ++record) {
        rows.Build(record, row);
        batch.Add(row);
    }
    batch.Finish();
    sink("COMMIT;\n\nSET SESSION sql_mode = @kelvane_old_sql_mode;\n");
    report.Statements = batch.StatementCount();
    report.MinusZeros = rows.MinusZeros();
    return report;
}

std::string MysqlDumpReport::Warning() const {
    if (MinusZeros == 0) {
        return {};
    }
    return "MySQL keeps no -0: " + std::to_string(MinusZeros) + " float cell" +
           (MinusZeros == 1 ? " of -0 was" : "s of -0 were") + " written as 0.";
}

MysqlDumpReport WriteMysqlDump(RecordTable& table, const CellLayout& layout,
                               const std::string& tableName, const std::string& path) {
    AtomicFileWriter file(path);
    const MysqlDumpReport report = DumpMysql(table, layout, tableName, path,
                                             [&file](std::string_view text) { file.Append(text); });
    file.Commit();
    return report;
}

}  // namespace kelvane

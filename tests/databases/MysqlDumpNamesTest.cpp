// Names in a MySQL dump: the table's name comes from its file, the dump's own name from the user,
// the column names from the definitions. Whatever they hold, the dump must hold the statements
// it means and nothing more when the mysql / mariadb client reads it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/dbc/CellLayout.h"
#include "core/table/RecordTable.h"
#include "databases/MysqlDump.h"
#include "databases/MysqlText.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;

// The dump as the client reads it in batch mode, line by line: outside quotes, "-- " and "#"
// end what a line gives the statement, "/* */" is skipped, ";" ends a statement and "\" starts a
// client command ("\!" runs a shell command); quotes (', ", `) go on across lines, ' and "
// with backslash escapes, as the dump's session sets them.
struct ClientReading {
    std::vector<std::string> Statements;
    std::vector<std::string> Commands;
    // The lines that start outside any statement with "--".
    std::vector<std::string> CommentLines;
    // Lines that start outside any statement and are neither blank, nor a comment, nor the
    // start of one of the dump's statements.
    std::vector<std::string> StrayLines;
    // What stands after the last ";", or a quote or comment left open.
    bool Unfinished = false;
};

bool StartsAStatement(std::string_view line) {
    for (const std::string_view start :
         {"SET ", "DROP TABLE ", "CREATE TABLE ", "START TRANSACTION", "INSERT INTO ", "COMMIT"}) {
        if (line.starts_with(start)) {
            return true;
        }
    }
    return false;
}

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

ClientReading ReadAsClient(std::string_view dump) {
    ClientReading reading;
    std::string statement;
    char quote = 0;
    bool blockComment = false;
    size_t lineStart = 0;
    while (lineStart < dump.size()) {
        const size_t lineEnd = std::min(dump.find('\n', lineStart), dump.size());
        const std::string_view line = dump.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (statement.empty() && quote == 0 && !blockComment) {
            if (line.starts_with("--")) {
                reading.CommentLines.emplace_back(line);
            } else if (!line.empty() && !StartsAStatement(line)) {
                reading.StrayLines.emplace_back(line);
            }
        }
        for (size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (blockComment) {
                if (c == '*' && next == '/') {
                    blockComment = false;
                    ++i;
                }
            } else if (quote != 0) {
                statement += c;
                if (c == '\\' && quote != '`' && i + 1 < line.size()) {
                    statement += line[++i];
                } else if (c == quote && next == quote) {
                    statement += line[++i];
                } else if (c == quote) {
                    quote = 0;
                }
            } else if (c == '\'' || c == '"' || c == '`') {
                quote = c;
                statement += c;
            } else if (c == '\\') {
                reading.Commands.emplace_back(line.substr(i, 2));
                ++i;
            } else if (c == '#' || (c == '-' && next == '-' &&
                                    (i + 2 == line.size() || IsSpace(line[i + 2])))) {
                break;
            } else if (c == '/' && next == '*') {
                blockComment = true;
                ++i;
            } else if (c == ';') {
                reading.Statements.push_back(statement);
                statement.clear();
            } else if (!statement.empty() || !IsSpace(c)) {
                statement += c;
            }
        }
        if (!statement.empty()) {
            statement += '\n';
        }
    }
    reading.Unfinished = !statement.empty() || quote != 0 || blockComment;
    return reading;
}

// A table of an integer key (so a primary key and no comment about it), a text column and a
// float column, whose second column bears the given name.
void BuildNamedTable(RecordTable& table, const std::string& columnName) {
    BuildTable(table, {{"ID"}, {columnName, FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
    AddRecord(table, {"1", "it's; \\! touch PWNED\n-- x", "1.5"});
    AddRecord(table, {"2", "", ""});
}

std::string Dump(RecordTable& table, const std::string& tableName, const std::string& target) {
    std::string text;
    DumpMysql(table, CellLayout(), tableName, target,
              [&text](std::string_view piece) { text += piece; });
    return text;
}

// The dump of the table under these names reads as its nine statements on that one table, two
// comment lines that hold no control character, and nothing else.
void ExpectOnlyTheDumpsStatements(const std::string& dump, const std::string& tableName,
                                  const std::string& columnName) {
    const ClientReading reading = ReadAsClient(dump);
    EXPECT_TRUE(reading.Commands.empty()) << reading.Commands.front();
    EXPECT_TRUE(reading.StrayLines.empty()) << reading.StrayLines.front();
    EXPECT_FALSE(reading.Unfinished);
    ASSERT_EQ(reading.CommentLines.size(), 2u) << dump.substr(0, 2000);
    for (const std::string& line : reading.CommentLines) {
        EXPECT_TRUE(line.starts_with("-- ")) << line;
        EXPECT_FALSE(HoldsControlCharacter(line)) << line;
    }
    const std::string name = MysqlName(tableName);
    ASSERT_EQ(reading.Statements.size(), 9u) << dump.substr(0, 2000);
    const std::vector<std::string>& s = reading.Statements;
    EXPECT_EQ(s[0], "SET @kelvane_old_sql_mode = @@SESSION.sql_mode");
    EXPECT_EQ(s[1], "SET SESSION sql_mode = 'STRICT_ALL_TABLES'");
    EXPECT_EQ(s[2], "SET NAMES utf8mb4");
    EXPECT_EQ(s[3], "DROP TABLE IF EXISTS " + name);
    EXPECT_EQ(s[4], "CREATE TABLE " + name + " (\n  `ID` INT NOT NULL,\n  " +
                        MysqlName(columnName) +
                        " TEXT,\n  `Speed` DOUBLE,\n  PRIMARY KEY (`ID`)\n) DEFAULT "
                        "CHARSET=utf8mb4");
    EXPECT_EQ(s[5], "START TRANSACTION");
    EXPECT_EQ(s[6], "INSERT INTO " + name +
                        " VALUES\n(1,'it\\'s; \\\\! touch PWNED\\n-- x',1.5),\n(2,'',NULL)");
    EXPECT_EQ(s[7], "COMMIT");
    EXPECT_EQ(s[8], "SET SESSION sql_mode = @kelvane_old_sql_mode");
}

// The failure of a dump the names keep from being written: one short line that quotes the name
// escaped, and no text given to the sink.
void ExpectRefusal(RecordTable& table, const std::string& tableName, const std::string& target,
                   const std::string& expected) {
    std::string text;
    try {
        DumpMysql(table, CellLayout(), tableName, target,
                  [&text](std::string_view piece) { text += piece; });
        ADD_FAILURE() << "no failure for the table name " << tableName;
    } catch (const KelvaneError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(expected), std::string::npos) << message;
        EXPECT_FALSE(HoldsControlCharacter(message)) << message;
        EXPECT_LT(message.size(), 400u) << message;
    }
    EXPECT_EQ(text, "");
}

constexpr std::string_view kAttack = "X\n\\! touch PWNED\nDROP TABLE victim;#";

TEST(MysqlDumpNames, NamesWithControlCharactersAreRefusedNamingTheNameEscaped) {
    const struct {
        std::string TableName;
        std::string ColumnName;
        std::string Expected;
    } cases[] = {
        {std::string(kAttack), "Name",
         "Cannot write the MySQL dump \"T.sql\": the table name "
         "`X\\n\\! touch PWNED\\nDROP TABLE victim;#`, taken from the table's file name, holds a "
         "control character (a line break, a tab or the like)."},
        {"X\r\\! touch PWNED", "Name", "the table name `X\\r\\! touch PWNED`, taken from"},
        {"Tab\tName", "Name", "`Tab\\tName`, taken from the table's file name, holds a control"},
        {"Esc\x1b[2J", "Name", "`Esc\\x1b[2J`"},
        {"Del\x7f", "Name", "`Del\\x7f`"},
        {"Long\n" + std::string(5000, 'x'), "Name", "`Long\\n" + std::string(74, 'x') + "...`"},
        {"Spell", "A\nB", "the column name `A\\nB` holds a control character"},
        {"Spell", "A\n-- \\! touch PWNED", "the column name `A\\n-- \\! touch PWNED` holds"},
    };
    for (const auto& c : cases) {
        RecordTable table;
        BuildNamedTable(table, c.ColumnName);
        ExpectRefusal(table, c.TableName, "T.sql", c.Expected);
    }
}

TEST(MysqlDumpNames, OtherNamesStayInsideTheirQuotesAndComments) {
    const struct {
        std::string TableName;
        std::string ColumnName;
        std::string Target;
        std::string LoadComment;  // the second comment line
    } cases[] = {
        {"Spell", "Name", "out\n\\! touch PWNED\nDROP TABLE victim;#.sql",
         "-- Load it with: mariadb DATABASE < out\\n\\! touch PWNED\\nDROP TABLE victim;#.sql (or "
         "mysql). It replaces the table."},
        {"Spell", "Name", "/tmp/dumps/a\rb\x1b[2J\x01.sql",
         "-- Load it with: mariadb DATABASE < a\\rb\\x1b[2J\\x01.sql (or mysql). It replaces the "
         "table."},
        {"Semi;colon \\! 'q' \"d\" `b` */ /* # -- x", "Na`me; \\! -- # */", "T.sql",
         "-- Load it with: mariadb DATABASE < T.sql (or mysql). It replaces the table."},
        {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9\n.sql",
         "-- Load it with: mariadb DATABASE < \xC3\xA9t\xC3\xA9\\n.sql (or mysql). It replaces the "
         "table."},
    };
    for (const auto& c : cases) {
        RecordTable table;
        BuildNamedTable(table, c.ColumnName);
        const std::string dump = Dump(table, c.TableName, c.Target);
        ExpectOnlyTheDumpsStatements(dump, c.TableName, c.ColumnName);
        EXPECT_NE(dump.find("\n" + c.LoadComment + "\n"), std::string::npos) << dump;
        EXPECT_TRUE(dump.starts_with("-- MySQL / MariaDB dump of the table " + c.TableName +
                                     " written by Kelvane: 2 records, 3 columns.\n"))
            << dump;
    }
}

// Names made of the pieces that could end a comment or a quote, start a command or a comment,
// or of any bytes at all.
class HostileNames {
  public:
    explicit HostileNames(uint32_t seed) : random_(seed) {}

    std::string Next() {
        std::string name;
        const int pieces = Between(1, 12);
        const bool bytesOnly = Between(0, 3) == 0;
        for (int i = 0; i < pieces; ++i) {
            if (bytesOnly || Between(0, 4) == 0) {
                name += static_cast<char>(Between(1, 255));
            } else {
                name += kPieces[static_cast<size_t>(Between(0, kPieceCount - 1))];
            }
        }
        return name;
    }

  private:
    static inline const std::vector<std::string> kPieces = {"\n",       "\r",
                                                            "\r\n",     "\\!",
                                                            "\\",       ";",
                                                            "'",        "\"",
                                                            "`",        "``",
                                                            "*/",       "/*",
                                                            "#",        "-- ",
                                                            "--",       " ",
                                                            "\t",       "\x1b[2J",
                                                            "\x7f",     "a",
                                                            "Spell",    "DROP TABLE victim",
                                                            "\xC3\xA9", "\xE2\x82\xAC"};

    static inline const int kPieceCount = static_cast<int>(kPieces.size());

    int Between(int least, int most) {
        return std::uniform_int_distribution<int>(least, most)(random_);
    }

    std::mt19937 random_;
};

TEST(MysqlDumpNames, WhateverTheNamesTheDumpHoldsItsStatementsOrIsRefused) {
    HostileNames names(20240611);
    int dumped = 0;
    int refused = 0;
    for (int round = 0; round < 5000; ++round) {
        const std::string tableName = names.Next();
        const std::string columnName = round % 5 == 0 ? names.Next() : "Name";
        const std::string target = names.Next();
        RecordTable table;
        try {
            BuildNamedTable(table, columnName);
        } catch (const KelvaneError&) {
            continue;  // a name that repeats "ID" or "Speed" in other letter case
        }
        std::string dump;
        try {
            dump = Dump(table, tableName, target);
        } catch (const KelvaneError& error) {
            // The dump's path stands in the message as it was given; what follows it is ours.
            const std::string message = error.what();
            const std::string start = "Cannot write the MySQL dump \"" + target + "\": ";
            ASSERT_TRUE(message.starts_with(start)) << message;
            EXPECT_FALSE(HoldsControlCharacter(message.substr(start.size()))) << message;
            EXPECT_TRUE(HoldsControlCharacter(tableName) || HoldsControlCharacter(columnName) ||
                        message.find(" is not UTF-8 text.") != std::string::npos ||
                        message.find(" ends in a blank.") != std::string::npos ||
                        message.find(" is longer than 64 characters.") != std::string::npos ||
                        message.find(" does not take in names.") != std::string::npos)
                << message;
            ++refused;
            continue;
        }
        SCOPED_TRACE("table name " + MysqlName(tableName) + ", column " + MysqlName(columnName));
        ExpectOnlyTheDumpsStatements(dump, tableName, columnName);
        ++dumped;
    }
    // Both outcomes were tried often.
    EXPECT_GT(dumped, 300) << refused;
    EXPECT_GT(refused, 300);
}

}  // namespace
}  // namespace kelvane

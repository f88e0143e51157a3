#include "core/table/Field.h"
#include "databases/MysqlDump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/dbc/CellLayout.h"
#include "core/table/RecordTable.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::ColumnSpec;
using testing::DbcBytes;
using testing::DecimalSeparatorScope;
using testing::TempDir;
using testing::WriteFieldDefs;

std::string Dump(RecordTable& table, const CellLayout& layout = CellLayout(),
                 const std::string& name = "T") {
    std::string text;
    DumpMysql(table, layout, name, "T.sql", [&text](std::string_view piece) { text += piece; });
    return text;
}

std::string DumpFailure(RecordTable& table, const CellLayout& layout = CellLayout()) {
    try {
        Dump(table, layout);
    } catch (const KelvaneError& error) {
        return error.what();
    }
    return "no failure";
}

// The part of the dump from CREATE TABLE to the line that ends it.
std::string CreateStatement(const std::string& dump) {
    const size_t start = dump.find("CREATE TABLE");
    return dump.substr(start, dump.find(";\n", start) + 2 - start);
}

TEST(MysqlDump, WritesTheWholeScript) {
    DecimalSeparatorScope comma(',');  // the dump writes "." whatever the user's separator
    RecordTable table;
    BuildTable(table, {{"ID"},
                       {"Name", FieldKind::ftString},
                       {"Speed", FieldKind::ftFloat},
                       {"Race"},
                       {"Level"}});
    AddRecord(table, {"1", "Fire's \\ Ball", "1,5", "255", "65535"});
    AddRecord(table, {"-2", "", "", "", "0"});
    AddRecord(table, {"2147483647", "Ice", "1E-7", "0", "7"});

    EXPECT_EQ(Dump(table, CellLayout(std::vector<uint8_t>{4, 4, 4, 1, 2}), "Spell"),
              "-- MySQL / MariaDB dump of the table Spell written by Kelvane: 3 records, 5 "
              "columns.\n"
              "-- Load it with: mariadb DATABASE < T.sql (or mysql). It replaces the table.\n"
              "\n"
              "SET @kelvane_old_sql_mode = @@SESSION.sql_mode;\n"
              "SET SESSION sql_mode = 'STRICT_ALL_TABLES';\n"
              "SET NAMES utf8mb4;\n"
              "\n"
              "DROP TABLE IF EXISTS `Spell`;\n"
              "CREATE TABLE `Spell` (\n"
              "  `ID` INT NOT NULL,\n"
              "  `Name` TEXT,\n"
              "  `Speed` DOUBLE,\n"
              "  `Race` TINYINT UNSIGNED,\n"
              "  `Level` SMALLINT UNSIGNED,\n"
              "  PRIMARY KEY (`ID`)\n"
              ") DEFAULT CHARSET=utf8mb4;\n"
              "\n"
              "START TRANSACTION;\n"
              "INSERT INTO `Spell` VALUES\n"
              "(1,'Fire\\'s \\\\ Ball',1.5,255,65535),\n"
              "(-2,'',NULL,NULL,0),\n"
              "(2147483647,'Ice',1E-7,0,7);\n"
              "COMMIT;\n"
              "\n"
              "SET SESSION sql_mode = @kelvane_old_sql_mode;\n");
}

TEST(MysqlDump, TheKeyIsThePrimaryKeyOnlyWhenUniqueAndANumber) {
    struct Case {
        FieldKind KeyKind;
        std::vector<std::string> Keys;
        std::string KeyLine;
        bool PrimaryKey;
    };
    const std::vector<Case> cases = {
        {FieldKind::ftInteger, {"1", "2"}, "  `Key` INT NOT NULL,\n", true},
        {FieldKind::ftInteger, {"1", "1"}, "  `Key` INT,\n", false},
        {FieldKind::ftInteger, {"1", ""}, "  `Key` INT,\n", false},
        {FieldKind::ftFloat, {"0.5", "1.5"}, "  `Key` DOUBLE NOT NULL,\n", true},
        // Unique byte for byte, but "a" and "a " are one value to MySQL.
        {FieldKind::ftString, {"a", "b"}, "  `Key` TEXT,\n", false},
    };
    for (const Case& c : cases) {
        RecordTable table;
        BuildTable(table, {{"Key", c.KeyKind}, {"Other"}});
        for (const std::string& key : c.Keys) {
            AddRecord(table, {key, "0"});
        }
        const std::string dump = Dump(table);
        const std::string create = CreateStatement(dump);
        EXPECT_NE(create.find(c.KeyLine), std::string::npos) << create;
        EXPECT_EQ(create.find("PRIMARY KEY (`Key`)") != std::string::npos, c.PrimaryKey) << create;
        EXPECT_EQ(dump.find("-- The text key `Key` is not the primary key") != std::string::npos,
                  c.KeyKind == FieldKind::ftString);
    }
}

TEST(MysqlDump, TextColumnsTakeTheTypeTheirTextsNeed) {
    // Texts as a file gives them, the longest a table holds among them.
    const std::vector<std::string> texts = {
        "Gr\xC3\xB6\xC3\x9F"
        "e",
        std::string(70000, 'x'), "caf\xE9", "ok"};
    std::string block(1, '\0');
    std::vector<int32_t> offsets;
    for (const std::string& text : texts) {
        offsets.push_back(static_cast<int32_t>(block.size()));
        block += text + '\0';
    }
    DbcBytes file;
    file.Header(1, 5, 20, static_cast<int32_t>(block.size())).Int(1);
    for (const int32_t offset : offsets) {
        file.Int(offset);
    }
    file.Raw(block);
    TempDir folder;
    folder.Write("T.dbc", file.Bytes());
    WriteFieldDefs(folder.File("T.dbc"), {{"ID"},
                                          {"Short", FieldKind::ftString},
                                          {"Long", FieldKind::ftString},
                                          {"Latin1", FieldKind::ftString},
                                          {"Odd`Name", FieldKind::ftString}});
    const auto work = std::make_unique<Workspace>();
    OpenDbcTable(*work, folder.File("T.dbc"));
    const std::string dump = Dump(work->Table, work->FileLayout);

    EXPECT_NE(CreateStatement(dump).find("  `Short` TEXT,\n"
                                         "  `Long` MEDIUMTEXT,\n"
                                         "  `Latin1` BLOB,\n"
                                         "  `Odd``Name` TEXT,\n"),
              std::string::npos)
        << CreateStatement(dump);
    // Bytes that are not UTF-8 go as hex, which no character set reinterprets.
    EXPECT_NE(dump.find(",X'636166E9','ok')"), std::string::npos);
    EXPECT_NE(dump.find("(1,'Gr\xC3\xB6\xC3\x9F"
                        "e','xxx"),
              std::string::npos);
    EXPECT_NE(dump.find("-- `Latin1` holds texts that are not UTF-8"), std::string::npos);
}

TEST(MysqlDump, StatementsStayUnderTheBound) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Text", FieldKind::ftString}});
    const int records = 3000;
    for (int i = 0; i < records; ++i) {
        AddRecord(table, {std::to_string(i), std::string(1000, 'a' + i % 26)});
    }
    const std::string dump = Dump(table);

    int statements = 0;
    int rows = 0;
    for (size_t at = dump.find("INSERT INTO"); at != std::string::npos;
         at = dump.find("INSERT INTO", at + 1)) {
        const size_t end = dump.find(";\n", at);
        EXPECT_LE(end + 2 - at, kMysqlStatementBytes);
        for (size_t row = dump.find("\n(", at); row < end; row = dump.find("\n(", row + 1)) {
            ++rows;
        }
        ++statements;
    }
    EXPECT_EQ(statements, 3);  // 3 MB of text
    EXPECT_EQ(rows, records);
}

TEST(MysqlDump, RefusesWhatMysqlCannotHoldNamingTheDumpRecordAndColumn) {
    struct Case {
        std::vector<ColumnSpec> Columns;
        std::vector<uint8_t> CellBytes;  // empty: 4 bytes each
        std::vector<std::string> Record;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{{"ID"}, {"Speed", FieldKind::ftFloat}},
         {},
         {"7", "NAN"},
         "Cannot write the MySQL dump \"T.sql\": the column \"Speed\" of record 1 holds NAN, but "
         "MySQL has no such number (if the column holds bit patterns, make it an integer "
         "column)."},
        {{{"ID"}, {"Speed", FieldKind::ftFloat}}, {}, {"7", "-INF"}, "holds -INF, but MySQL"},
        {{{"ID"}, {"Race"}},
         {4, 1},
         {"7", "256"},
         "the column \"Race\" of record 1 holds 256, but its 1-byte cell holds a whole number "
         "from 0 to 255."},
        {{{"ID"}, {"Level"}}, {4, 2}, {"7", "-1"}, "its 2-byte cell holds a whole number from 0"},
        {{{"ID"}, {"Name "}}, {}, {"1", "2"}, "the column name `Name ` ends in a blank."},
        {{{"ID"}, {std::string(65, 'n')}}, {}, {"1", "2"}, "is longer than 64 characters."},
        {{{"ID"}, {"\xE9t\xE9"}}, {}, {"1", "2"}, "is not UTF-8 text."},
    };
    for (const Case& c : cases) {
        RecordTable table;
        BuildTable(table, c.Columns);
        AddRecord(table, c.Record);
        const CellLayout layout = c.CellBytes.empty() ? CellLayout() : CellLayout(c.CellBytes);
        const std::string message = DumpFailure(table, layout);
        EXPECT_NE(message.find(c.Message), std::string::npos) << message;
    }
}

// A DOUBLE column stores 0 for -0 whatever the dump writes: the dump writes 0 and says how many.
TEST(MysqlDump, MinusZeroIsWrittenAsZeroAndCounted) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Speed", FieldKind::ftFloat}});
    AddRecord(table, {"1", "-0"});
    AddRecord(table, {"2", "0"});
    AddRecord(table, {"3", "-0"});
    std::string text;
    const MysqlDumpReport report = DumpMysql(table, CellLayout(), "T", "T.sql",
                                             [&text](std::string_view piece) { text += piece; });
    EXPECT_NE(text.find("VALUES\n(1,0),\n(2,0),\n(3,0);\n"), std::string::npos) << text;
    EXPECT_EQ(report.MinusZeros, 2);
    EXPECT_EQ(report.Warning(), "MySQL keeps no -0: 2 float cells of -0 were written as 0.");
    EXPECT_EQ(MysqlDumpReport().Warning(), "");
}

TEST(MysqlDump, AFailedDumpLeavesTheFileThatWasThere) {
    TempDir folder;
    folder.Write("T.sql", "old dump");
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Speed", FieldKind::ftFloat}});
    for (int i = 0; i < 5000; ++i) {
        AddRecord(table, {std::to_string(i), "1.5"});
    }
    AddRecord(table, {"5000", "INF"});

    EXPECT_THROW(WriteMysqlDump(table, CellLayout(), "T", folder.File("T.sql")), KelvaneError);
    EXPECT_EQ(folder.Read("T.sql"), "old dump");

    table.Last();
    table.Delete();
    const MysqlDumpReport report = WriteMysqlDump(table, CellLayout(), "T", folder.File("T.sql"));
    EXPECT_EQ(report.Records, 5000);
    EXPECT_EQ(report.Statements, 1);
    EXPECT_EQ(folder.Read("T.sql"), Dump(table));
}

TEST(MysqlDump, ARecordBeingEditedGoesOutAsItWillBeStored) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    AddRecord(table, {"1", "old"});
    table.Edit();
    table.Fields(2).SetAsString("new");
    EXPECT_NE(Dump(table).find("(1,'new')"), std::string::npos);
    EXPECT_EQ(table.State(), TableState::Browse);
}

}  // namespace
}  // namespace kelvane

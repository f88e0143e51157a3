#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/table/RecordTable.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::DbcBytes;
using testing::FieldSpec;
using testing::SubClassSample;
using testing::SubClassSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

// A table without records and no strings.
std::string EmptyTable(int fieldCount) {
    return DbcBytes().Header(0, fieldCount, 4 * fieldCount, 1).Raw(std::string(1, '\0')).Bytes();
}

class ImportCommandsTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    std::string PutTable(const std::string& name, const std::vector<FieldSpec>& fields) {
        dir_.Write(name, EmptyTable(static_cast<int>(fields.size())));
        WriteFieldDefs(dir_.File(name), fields);
        return dir_.File(name);
    }

    std::string PutScript(const std::string& name, const std::string& text) {
        dir_.Write(name, text);
        return dir_.File(name);
    }

    TempDir dir_;
};

TEST_F(ImportCommandsTest, EachKindImportsByItsOwnRules) {
    const struct {
        std::string Kind;
        std::vector<FieldSpec> Fields;
        std::string Script;
        std::string Table;
    } cases[] = {
        {"scp",
         {{"Id"}, {"name", FieldKind::ftString}, {"quality"}},
         "[item 25]\r\nname=Sword\r\nQuality=3\r\n",
         DbcBytes().Header(1, 3, 12, 7).Int(25).Int(1).Int(3).Raw({"\0Sword\0", 7}).Bytes()},
        {"world",
         {{"Entry"}, {"X", FieldKind::ftFloat}, {"Y", FieldKind::ftFloat}},
         "[obj 1]\nENTRY=4\n[obj 2]\nENTRY=5\nXYZ=1.5 -2\nTYPE=3\n",
         DbcBytes().Header(1, 3, 12, 1).Int(5).Float(1.5f).Float(-2).Raw({"\0", 1}).Bytes()},
        {"quests",
         {{"entry"}, {"reward_item_1"}, {"reward_item_1_amount"}, {"RequiresRace"}},
         "[quest 9]\nRewardItem=2589, 5\nRequiresRace=Human Dwarf\n",
         DbcBytes().Header(1, 4, 16, 1).Int(9).Int(2589).Int(5).Int(5).Raw({"\0", 1}).Bytes()},
        {"itempages",
         {{"ID"}, {"PageText", FieldKind::ftString}},
         "[page 2]\nLine=a\nLine=b\n",
         DbcBytes().Header(1, 2, 8, 6).Int(2).Int(1).Raw({"\0a\r\nb\0", 6}).Bytes()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        const std::string table = PutTable("Table.dbc", c.Fields);
        const std::string script = PutScript("script.txt", c.Script);

        const CliResult result = Run({"import", c.Kind, table, script, dir_.File("Out.dbc")});

        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(dir_.Read("Out.dbc"), c.Table);
        EXPECT_EQ(dir_.Read("Table.dbc"), EmptyTable(static_cast<int>(c.Fields.size())));
        EXPECT_NE(result.Out.find("Appended 1 records"), std::string::npos) << result.Out;
    }
}

TEST_F(ImportCommandsTest, WithoutAnOutputFileTheTableIsWrittenBack) {
    const std::string table = PutTable("Items.dbc", {{"Id"}, {"quality"}});
    const std::string script = PutScript("items.scp", "[item 1]\nquality=2\n[item x]\nbad=1\n");

    const CliResult result = Run({"import", "scp", table, script});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("Items.dbc"),
              DbcBytes().Header(1, 2, 8, 1).Int(1).Int(2).Raw({"\0", 1}).Bytes());
    EXPECT_EQ(result.Out,
              "Appended 1 records (sections skipped 0, records cancelled 1, lines passed over 0, "
              "values replaced 0); wrote \"" +
                  table + "\": 1 records.\n");
    EXPECT_EQ(result.Err,
              "Warning: 1 record was cancelled: 'x' is not a valid integer value for field 'Id' "
              "(the section on line 3).\n");
}

// A key repeated inside a section keeps the last value, and a NUL byte ends the script: the
// run says both, with where the NUL stood and how much it left unread.
TEST_F(ImportCommandsTest, ReplacedValuesAndANulByteAreReported) {
    using namespace std::string_literals;
    const std::string table = PutTable("Npcs.dbc", {{"Id"}, {"loot"}});
    const std::string script = PutScript(
        "creatures.scp", "[npc 1]\nloot=1\nLoot=2\nloot=3\n[npc 2]\nloot=4\n\0[npc 3]\n"s);

    const CliResult result = Run({"import", "scp", table, script});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("Npcs.dbc"),
              DbcBytes().Header(2, 2, 8, 1).Int(1).Int(3).Int(2).Int(4).Raw({"\0", 1}).Bytes());
    EXPECT_EQ(result.Out,
              "Appended 2 records (sections skipped 0, records cancelled 0, lines passed over 0, "
              "values replaced 2); wrote \"" +
                  table + "\": 2 records.\n");
    EXPECT_EQ(result.Err,
              "Warning: 2 key lines replaced the value that an earlier line with the same key had "
              "set in their section; the last value was kept (key 'Loot').\n"
              "Warning: The script ends at a NUL byte on line 7; the 9 bytes from there to the "
              "end of the file were not read.\n");
}

TEST_F(ImportCommandsTest, FailuresLeaveTheTableAlone) {
    const std::string table = PutTable("Items.dbc", {{"Id"}});
    const std::string script = PutScript("items.scp", "[item 1]\n");
    const struct {
        std::vector<std::string> Args;
        int ExitCode;
        std::string ErrStart;
    } cases[] = {
        {{"import", "loot", table, script}, 2, "kelvane-cli: unknown import kind 'loot'"},
        {{"import", "scp", table}, 2, "kelvane-cli: import takes"},
        {{"import", "scp", table, dir_.File("missing.scp")},
         1,
         "Cannot open file \"" + dir_.File("missing.scp") + "\""},
        {{"import-loot"}, 2, "kelvane-cli: import-loot takes"},
        {{"import-loot", dir_.File("missing.scp")},
         1,
         "Cannot open file \"" + dir_.File("missing.scp") + "\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args[0] + " " + c.ErrStart);
        const CliResult result = Run(c.Args);
        EXPECT_EQ(result.ExitCode, c.ExitCode);
        EXPECT_TRUE(result.Err.starts_with(c.ErrStart)) << result.Err;
        EXPECT_EQ(dir_.Read("Items.dbc"), EmptyTable(1));
    }
}

// Our export of a table whose first column repeats names each key on several rows: by key the
// import stops, naming the key, its rows and its records, and writes nothing; by position it
// reads back byte for byte, and into an empty table every row is added in the file's order.
TEST_F(ImportCommandsTest, AnExportWithRepeatedKeysComesBackOnlyByPosition) {
    const std::string table = dir_.File("ItemSubClass.dbc");
    const std::string original = SubClassSample().Bytes();
    const struct {
        std::vector<std::string> Export;
        std::vector<std::string> Import;  // the table and the file to write are added
        std::string Where;
    } cases[] = {
        {{"export-csv", table, dir_.File("classes.csv"), "--header"},
         {"import-csv", dir_.File("classes.csv"), "--header"},
         dir_.File("classes.csv") + " lines 2, 3 and 4"},
        {{"export-sqlite", table, dir_.File("classes.db")},
         {"import-sqlite", dir_.File("classes.db")},
         dir_.File("classes.db") + ", table 'ItemSubClass', rowids 1, 2 and 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Import[0]);
        dir_.Write("ItemSubClass.dbc", original);
        WriteFieldDefs(table, SubClassSampleFields());
        ASSERT_EQ(Run(c.Export).ExitCode, 0);
        const auto import = [&c](const std::string& into, const std::string& out,
                                 std::vector<std::string> options) {
            std::vector<std::string> args = c.Import;
            args.insert(args.begin() + 1, into);
            args.insert(args.begin() + 3, out);
            args.insert(args.end(), options.begin(), options.end());
            return args;
        };

        CliResult result = Run(import(table, dir_.File("Out.dbc"), {}));
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err,
                  c.Where +
                      ": the key '0' stands on each of them and on records 1, 2 and 3 of the "
                      "table, so they cannot each be matched to a record by key; 1 more key "
                      "repeats as well. Nothing was changed. To match rows to records by position "
                      "instead (row N to record N, the order our exports write), run the command "
                      "again with --by-position.\n");
        EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));

        result = Run(import(table, dir_.File("Same.dbc"), {"--by-position"}));
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_NE(result.Out.find("changed 0, added 0, unchanged 5"), std::string::npos)
            << result.Out;
        EXPECT_EQ(dir_.Read("Same.dbc"), original);
        EXPECT_EQ(dir_.Read("ItemSubClass.dbc"), original);

        TempDir empty;
        empty.Write("ItemSubClass.dbc", EmptyTable(3));
        WriteFieldDefs(empty.File("ItemSubClass.dbc"), SubClassSampleFields());
        result =
            Run(import(empty.File("ItemSubClass.dbc"), dir_.File("Added.dbc"), {"--by-position"}));
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_NE(result.Out.find("changed 0, added 5, unchanged 0"), std::string::npos)
            << result.Out;
        EXPECT_EQ(dir_.Read("Added.dbc"), original);
    }
}

// The files go to the folder "loottemplates" beside the script; the count is of the files that
// exist afterwards, and the warnings name the ids skipped or found on more than one section.
TEST_F(ImportCommandsTest, LootTemplatesGoBesideTheScript) {
    const std::string noEntries = DbcBytes().Header(0, 2, 8, 0).Bytes();
    const struct {
        std::string Script;
        std::string Out;
        std::string Err;
        std::vector<std::pair<std::string, std::string>> Files;  // every file, by name
    } cases[] = {
        {"[loottemplate 1234]\r\nloot=2589 35.5\r\nloot=2592 10\r\n"
         "[loottemplate ../x]\r\nloot=1 1\r\n"
         "[loottemplate 7]\r\n",
         "Wrote 2 files with 2 entries",
         "Warning: These loot templates were not written, because their ids cannot be part of a "
         "file name: '../x'.\n",
         {{"loott1234.dbc",
           DbcBytes().Header(2, 2, 8, 0).Int(2589).Float(35.5f).Int(2592).Float(10).Bytes()},
          {"loott7.dbc", noEntries}}},
        {"[loottemplate 3]\nloot=1 1\n"
         "[loottemplate 4]\nloot=2 2\n"
         "[loottemplate 3]\nloot=5 5\nloot=6 6\n"
         "[loottemplate  4 ]\n",
         "Wrote 2 files with 2 entries",
         "Warning: These loot template ids stand on more than one section, and each file holds "
         "the entries of the last one: '3', '4'.\n",
         {{"loott3.dbc", DbcBytes().Header(2, 2, 8, 0).Int(5).Float(5).Int(6).Float(6).Bytes()},
          {"loott4.dbc", noEntries}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script);
        std::filesystem::remove_all(dir_.File("loottemplates"));
        const std::string script = PutScript("loottemplates.scp", c.Script);

        const CliResult result = Run({"import-loot", script});

        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, c.Out + " to \"" + dir_.File("loottemplates") + "\".\n");
        EXPECT_EQ(result.Err, c.Err);
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.File("loottemplates"))) {
            const std::string name = entry.path().filename().string();
            files.emplace_back(name, dir_.Read("loottemplates/" + name));
        }
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, c.Files);
    }
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/table/Field.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ByteFieldSample;
using testing::CliResult;
using testing::DbcBytes;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

class InfoResaveTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    std::string Put(const std::string& name, const DbcBytes& file) {
        dir_.Write(name, file.Bytes());
        return dir_.File(name);
    }

    TempDir dir_;
};

TEST_F(InfoResaveTest, InfoPrintsHeaderColumnsAndRecordCount) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, SpellSampleFields());

    const CliResult result = Run({"info", path});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    for (const char* line :
         {"Records:       3\n", "Fields:        4\n", "Record size:   16 bytes\n",
          "String block:  21 bytes\n", "Byte fields:   no\n", "Records loaded: 3\n"}) {
        EXPECT_NE(result.Out.find(line), std::string::npos) << line << "\n" << result.Out;
    }
    for (const char* column :
         {"     0  ID                              ftInteger hex    32       0\n",
          "     1  Name                            ftString  -      32       4\n",
          "     2  Speed                           ftFloat   -      32       8\n"}) {
        EXPECT_NE(result.Out.find(column), std::string::npos) << column << "\n" << result.Out;
    }
}

// An .ini may give a name any byte but a line break; a terminal shows what it is, not what it
// would do.
TEST_F(InfoResaveTest, InfoShowsControlCharactersOfNamesEscaped) {
    const std::string path = Put("Spell.dbc", SpellSample());
    dir_.Write("Spell.ini",
               "[Field kind]\r\nField 1=ftString\r\n[Field name]\r\nField 0=ID\r\n"
               "Field 1=Na\x1b]0;owned\x07me\r\nField 2=Sp\teed\r\n");

    const CliResult result = Run({"info", path});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("     1  Na\\x1b]0;owned\\x07me"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("     2  Sp\\teed"), std::string::npos) << result.Out;
    EXPECT_EQ(result.Out.find_first_of("\x1b\x07\t"), std::string::npos) << result.Out;
}

// A misspelt kind is not read as an integer: the command fails naming the file and the field.
TEST_F(InfoResaveTest, AnUnknownKindInTheIniStopsTheCommand) {
    const std::string path = Put("Spell.dbc", SpellSample());
    dir_.Write("Spell.ini", "[Field kind]\r\nField 0=ftInteger\r\nField 1=banana\r\n");

    const std::string out = dir_.File("Out.dbc");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"info", path}, {"resave", path, out}}) {
        const CliResult result = Run(args);

        EXPECT_NE(result.ExitCode, 0) << args[0];
        EXPECT_NE(result.Err.find("\"" + dir_.File("Spell.ini") +
                                  "\" cannot be used: field 1 has the kind \"banana\""),
                  std::string::npos)
            << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(InfoResaveTest, InfoShowsTheByteFieldSplit) {
    const std::string path = Put("Bytes.dbc", ByteFieldSample());

    const CliResult result = Run({"info", path});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("Byte fields:   yes (2 cells of 4 bytes, 1 of 1 byte)\n"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(
        result.Out.find("     2  2                               ftInteger -       8       8\n"),
        std::string::npos)
        << result.Out;
}

TEST_F(InfoResaveTest, BadStringCellsAreWarnedAboutAndStopAResaveUnlessForced) {
    const std::string path =
        Put("Names.dbc", DbcBytes().Header(1, 1, 4, 1).Int(400).Raw(std::string(1, '\0')));
    WriteFieldDefs(path, {{"Name", FieldKind::ftString}});
    const std::string out = dir_.File("Out.dbc");

    const CliResult info = Run({"info", path});
    const CliResult refused = Run({"resave", path, out});
    EXPECT_FALSE(std::filesystem::exists(out));
    const CliResult forced = Run({"resave", path, out, "--force"});

    for (const CliResult& result : {info, refused, forced}) {
        EXPECT_NE(result.Err.find("1 string cell "), std::string::npos) << result.Err;
        EXPECT_NE(result.Err.find("(column Name)"), std::string::npos) << result.Err;
    }
    EXPECT_EQ(info.ExitCode, 0) << info.Err;
    EXPECT_EQ(refused.ExitCode, 1) << refused.Err;
    EXPECT_NE(refused.Err.find("Cannot save \"" + out +
                               "\": 1 cell of the string column "
                               "\"Name\" does not point at the start of a text"),
              std::string::npos)
        << refused.Err;
    EXPECT_EQ(forced.ExitCode, 0) << forced.Err;
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(InfoResaveTest, FailuresExitWithTheMessage) {
    const std::string notDbc = Put("Notes.dbc", DbcBytes().Raw("just some text, not a table"));
    const std::string spell = Put("Spell.dbc", SpellSample());
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"info", notDbc}, "\"" + notDbc + "\" is not a DBC file"},
        {{"info", dir_.File("Missing.dbc")}, "Cannot open file"},
        {{"resave", notDbc, dir_.File("Out.dbc")}, "is not a DBC file"},
        {{"resave", spell, dir_.File("no folder/Out.dbc"), "--force"}, "Cannot create file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliResult result = Run(c.Args);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));
}

TEST_F(InfoResaveTest, WrongArgumentCountsShowTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"info"}, {"info", "a.dbc", "b.dbc"}, {"resave", "a.dbc"}, {"resave", "a", "b", "c"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size());
        const CliResult result = Run(args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_NE(result.Err.find("usage: kelvane-cli " + args[0]), std::string::npos)
            << result.Err;
    }
}

TEST_F(InfoResaveTest, ResaveWritesTheSameTableAndNoDefinitions) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, SpellSampleFields());

    const CliResult result = Run({"resave", path, dir_.File("Out.dbc")});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(dir_.Read("Out.dbc"), SpellSample().Bytes());
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.ini")));
}

TEST_F(InfoResaveTest, HeadlessSavesThatWouldDropTextsAreRefusedUnlessForced) {
    // Without definitions the sample's texts are in no string column. Each command that saves
    // refuses, writes nothing and says why; with --force it writes the table without them.
    const std::string path = Put("Spell.dbc", SpellSample());
    dir_.Write("patch.txt", "16:3=3\r\n");
    dir_.Write("items.scp", "[item 5]\r\n1=5\r\n");
    const std::string out = dir_.File("Out.dbc");
    const std::vector<std::vector<std::string>> commands = {
        {"resave", path, out},
        {"apply-patch", path, dir_.File("patch.txt"), out},
        {"import", "scp", path, dir_.File("items.scp"), out},
    };
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        const CliResult refused = Run(command);
        EXPECT_EQ(refused.ExitCode, 1);
        EXPECT_NE(refused.Err.find("Cannot save \"" + out +
                                   "\": 2 texts of the file are in no string column"),
                  std::string::npos)
            << refused.Err;
        EXPECT_NE(refused.Err.find("--force"), std::string::npos) << refused.Err;
        EXPECT_FALSE(std::filesystem::exists(out));

        std::vector<std::string> forced = command;
        forced.push_back("--force");
        EXPECT_EQ(Run(forced).ExitCode, 0);
        EXPECT_EQ(testing::Int32At(dir_.Read("Out.dbc"), 16), 1);
        std::filesystem::remove(out);
    }
    EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
}

TEST_F(InfoResaveTest, EveryCommandThatLoadsATableSaysWhatASaveWouldLose) {
    // The same check as a save's, run by commands that never save: their output is made from
    // a table that reads the file's texts as numbers, and the user should know.
    const std::string path = Put("Spell.dbc", SpellSample());
    const std::vector<std::vector<std::string>> commands = {
        {"info", path},
        {"export-csv", path, dir_.File("out.csv")},
        {"export-patch", path, dir_.File("out.txt")},
        {"export-sql", path, dir_.File("out.sql")},
        {"export-sqlite", path, dir_.File("out.db")},
        {"diff", path, path, dir_.File("diff.txt")},
    };
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        const CliResult result = Run(command);
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_NE(result.Err.find("Warning: \"" + path +
                                  "\": 2 texts of the file are in no string column"),
                  std::string::npos)
            << result.Err;
    }
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/CrlfText.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::CrlfText;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

const std::string kSpellHeader = "ID,Name,Speed,Rank";
const std::vector<std::string> kSpellLines = {
    "16,Fireball,1.5,-1", "255,\"Frost Nova\",0.100000001490116,7", "0,,-2.25,0"};

class CsvCommandsTest : public ::testing::Test {
  protected:
    CsvCommandsTest() { ::setenv("LC_ALL", "C", 1); }

    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    std::string PutSpells(const std::string& name) {
        dir_.Write(name, SpellSample().Bytes());
        const std::string path = dir_.File(name);
        WriteFieldDefs(path, SpellSampleFields());
        return path;
    }

    std::string CsvOf(const std::string& path) {
        WriteFieldDefs(path, SpellSampleFields());
        const CliResult result = Run({"export-csv", path, dir_.File("check.csv")});
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        return dir_.Read("check.csv");
    }

    TempDir dir_;
};

TEST_F(CsvCommandsTest, HeaderLineComesFirstOnlyWhenAsked) {
    const std::string spells = PutSpells("Spell.dbc");
    const struct {
        std::vector<std::string> Options;
        std::string Text;
    } cases[] = {
        {{}, CrlfText({kSpellLines[0], kSpellLines[1], kSpellLines[2]})},
        {{"--header"}, CrlfText({kSpellHeader, kSpellLines[0], kSpellLines[1], kSpellLines[2]})},
        {{"--record", "1", "--header"}, CrlfText({kSpellHeader, kSpellLines[1]})},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"export-csv", spells, dir_.File("out.csv")};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        const CliResult result = Run(args);
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(dir_.Read("out.csv"), c.Text) << ::testing::PrintToString(c.Options);
    }
}

TEST_F(CsvCommandsTest, ImportChangesAndAddsRecordsByKeyIntoOutOrInPlace) {
    const std::string spells = PutSpells("Spell.dbc");
    dir_.Write("in.csv", "rank,id\n5,16\n3,99\n");
    const std::string changed =
        CrlfText({"16,Fireball,1.5,5", kSpellLines[1], kSpellLines[2], "99,,0,3"});

    const CliResult toOut =
        Run({"import-csv", spells, dir_.File("in.csv"), dir_.File("Out.dbc"), "--header"});
    EXPECT_EQ(toOut.ExitCode, 0) << toOut.Err;
    EXPECT_EQ(toOut.Out, "Read 2 records: changed 1, added 1, unchanged 0; wrote \"" +
                             dir_.File("Out.dbc") + "\": 4 records.\n");
    EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
    EXPECT_EQ(CsvOf(dir_.File("Out.dbc")), changed);

    const CliResult inPlace = Run({"import-csv", "--header", spells, dir_.File("in.csv")});
    EXPECT_EQ(inPlace.ExitCode, 0) << inPlace.Err;
    EXPECT_EQ(CsvOf(spells), changed);
}

TEST_F(CsvCommandsTest, ExportWithHeaderReadsBackUnchanged) {
    const std::string spells = PutSpells("Spell.dbc");
    ASSERT_EQ(Run({"export-csv", spells, dir_.File("out.csv"), "--header"}).ExitCode, 0);

    const CliResult result =
        Run({"import-csv", spells, dir_.File("out.csv"), dir_.File("Out.dbc"), "--header"});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("changed 0, added 0, unchanged 3"), std::string::npos) << result.Out;
    EXPECT_EQ(dir_.Read("Out.dbc"), SpellSample().Bytes());
}

TEST_F(CsvCommandsTest, WindowsTextIsConvertedAndSaidSo) {
    const std::string spells = PutSpells("Spell.dbc");
    dir_.Write("in.csv", "ID,Name\r\n16,\"Caf\xE9\"\r\n");

    const CliResult result =
        Run({"import-csv", spells, dir_.File("in.csv"), dir_.File("Out.dbc"), "--header"});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "Note: \"" + dir_.File("in.csv") +
                              "\" is not UTF-8 text; it was read as Windows-1252.\n");
    EXPECT_EQ(CsvOf(dir_.File("Out.dbc")),
              CrlfText({"16,Caf\xC3\xA9,1.5,-1", kSpellLines[1], kSpellLines[2]}));
}

TEST_F(CsvCommandsTest, AFailingRecordNamesLineAndColumnAndWritesNothing) {
    const std::string spells = PutSpells("Spell.dbc");
    dir_.Write("in.csv", "16,a,1,2\n17,\"two\nlines\",1,2\n18,b,1,x\n");

    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "to Out.dbc");
        std::vector<std::string> args = {"import-csv", spells, dir_.File("in.csv")};
        if (!inPlace) {
            args.push_back(dir_.File("Out.dbc"));
        }

        const CliResult result = Run(args);

        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err, dir_.File("in.csv") +
                                  " line 4, column Rank: 'x' is not a valid integer value for "
                                  "field 'Rank'\n");
        EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
        EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));
    }
}

TEST_F(CsvCommandsTest, WrongArgumentsShowTheUsage) {
    const CliResult result = Run({"import-csv", "Spell.dbc"});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("usage: kelvane-cli import-csv TABLE.dbc IN.csv [OUT.dbc] [--header] "
                              "[--force]"),
              std::string::npos)
        << result.Err;
}

}  // namespace
}  // namespace kelvane

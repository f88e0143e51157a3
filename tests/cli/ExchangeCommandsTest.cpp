#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/CrlfText.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::CrlfText;
using testing::DbcBytes;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

// The sample's records as comma-separated lines and as patch row lines.
const std::vector<std::string> kSpellLines = {
    "16,Fireball,1.5,-1", "255,\"Frost Nova\",0.100000001490116,7", "0,,-2.25,0"};
const std::string kSpellCsv = CrlfText({kSpellLines[0], kSpellLines[1], kSpellLines[2]});
const std::string kSpellHeader = "ID,Name,Speed,Rank";
const std::string kSpellPatch = CrlfText(
    {"16:1=Fireball,2=1.5,3=-1", "255:1=Frost Nova,2=0.100000001490116,3=7", "0:1=,2=-2.25,3=0"});

class ExchangeCommandsTest : public ::testing::Test {
  protected:
    // Floats are written with the user's decimal separator; the child reads it from here.
    ExchangeCommandsTest() { ::setenv("LC_ALL", "C", 1); }

    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    // The three-spell sample with its field definitions beside it.
    std::string PutSpells(const std::string& name) {
        dir_.Write(name, SpellSample().Bytes());
        const std::string path = dir_.File(name);
        WriteFieldDefs(path, SpellSampleFields());
        return path;
    }

    // A table of an integer ID and a string column: a record per pair of an ID and the offset
    // of its text in the string block.
    std::string PutIdsAndTexts(const std::string& name,
                               const std::vector<std::pair<int32_t, int32_t>>& records,
                               std::string_view strings) {
        DbcBytes bytes;
        bytes.Header(static_cast<int32_t>(records.size()), 2, 8,
                     static_cast<int32_t>(strings.size()));
        for (const auto& [id, text] : records) {
            bytes.Int(id).Int(text);
        }
        dir_.Write(name, bytes.Raw(strings).Bytes());
        const std::string path = dir_.File(name);
        WriteFieldDefs(path, {{"ID"}, {"Text", FieldKind::ftString}});
        return path;
    }

    // The table's records as export-csv writes them, read with the sample's definitions.
    std::string CsvOf(const std::string& path) {
        WriteFieldDefs(path, SpellSampleFields());
        const CliResult result = Run({"export-csv", path, dir_.File("check.csv")});
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        return dir_.Read("check.csv");
    }

    TempDir dir_;
};

TEST_F(ExchangeCommandsTest, ExportsWriteTheWholeTableOrTheChosenPart) {
    const std::string spells = PutSpells("Spell.dbc");
    const struct {
        std::vector<std::string> Options;
        std::string Command;
        std::string File;
    } cases[] = {
        {{}, "export-csv", kSpellCsv},
        {{"--record", "1"}, "export-csv", CrlfText({"255,\"Frost Nova\",0.100000001490116,7"})},
        {{"--record", "2"}, "export-csv", CrlfText({"0,,-2.25,0"})},
        {{}, "export-patch", kSpellPatch},
        {{"--record", "0"}, "export-patch", CrlfText({"16:1=Fireball,2=1.5,3=-1"})},
        {{"--record", "1", "--column", "2"}, "export-patch", CrlfText({"255:1=Frost Nova"})},
        {{"--record", "1", "--column", "1"}, "export-patch", CrlfText({"255:0=255"})},
        {{"--record", "1", "--column", "0"}, "export-patch", CrlfText({"255:-1=1"})},
        {{"--column", "4", "--record", "2"}, "export-patch", CrlfText({"0:3=0"})},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {c.Command, spells, dir_.File("out.txt")};
        std::string trace = c.Command;
        for (const std::string& option : c.Options) {
            args.push_back(option);
            trace += " " + option;
        }
        SCOPED_TRACE(trace);

        const CliResult result = Run(args);

        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(dir_.Read("out.txt"), c.File);
        EXPECT_NE(result.Out.find("Wrote \"" + dir_.File("out.txt") + "\""), std::string::npos)
            << result.Out;
    }
}

TEST_F(ExchangeCommandsTest, OptionsMayComeBeforeTheFiles) {
    const std::string spells = PutSpells("Spell.dbc");

    const CliResult result = Run({"export-csv", "--record", "0", spells, dir_.File("out.csv")});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("out.csv"), CrlfText({"16,Fireball,1.5,-1"}));
}

TEST_F(ExchangeCommandsTest, AnEmptyTableExportsAnEmptyFile) {
    dir_.Write("Empty.dbc", DbcBytes().Header(0, 2, 8, 1).Raw(std::string(1, '\0')).Bytes());
    for (const char* command : {"export-csv", "export-patch"}) {
        SCOPED_TRACE(command);
        dir_.Write("out.txt", "older text\r\n");

        const CliResult result = Run({command, dir_.File("Empty.dbc"), dir_.File("out.txt")});

        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(dir_.Read("out.txt"), "");
    }
}

TEST_F(ExchangeCommandsTest, PatchExportWarnsOfValuesThatWillNotReadBack) {
    const std::string path = PutIdsAndTexts("Names.dbc", {{5, 1}, {6, 5}}, {"\0a;b\0plain\0", 11});

    const CliResult result = Run({"export-patch", path, dir_.File("out.txt")});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("out.txt"), CrlfText({"5:1=a;b", "6:1=plain"}));
    EXPECT_EQ(result.Err,
              "Warning: Some exported lines will not come back as they were written:\n"
              "- values or keys with \";\" or \"//\": 1 line (key '5'); the reader skips such "
              "lines as comments\n");
}

// A tooltip with a line break in a table whose key repeats: export-patch names both causes, and
// apply-patch stops at the broken-off rest of the tooltip, saying what it probably is.
TEST_F(ExchangeCommandsTest, PatchExportNamesLineBreaksAndRepeatedKeysAndApplyStopsAtThem) {
    const std::string path = PutIdsAndTexts("Tips.dbc", {{5, 1}, {5, 21}, {6, 0}},
                                            {"\0Deals\r\n   1 point  \0plain\0", 27});

    const CliResult exported = Run({"export-patch", path, dir_.File("out.txt")});

    EXPECT_EQ(exported.ExitCode, 0) << exported.Err;
    EXPECT_EQ(dir_.Read("out.txt"), CrlfText({"5:1=Deals", "   1 point  ", "5:1=plain", "6:1="}));
    EXPECT_EQ(exported.Err,
              "Warning: Some exported lines will not come back as they were written:\n"
              "- values with a line break: 1 line (key '5'); the line ends at the line break, and "
              "the rest is read as a line of its own\n"
              "- keys that repeat: 1 line (key '5'); every line after the first with the same key "
              "would change the first record instead\n");

    const CliResult applied =
        Run({"apply-patch", path, dir_.File("out.txt"), dir_.File("Out.dbc")});

    EXPECT_EQ(applied.ExitCode, 1);
    EXPECT_EQ(applied.Err, dir_.File("out.txt") +
                               " line 2: the line does not start with a key (no ':' after one): "
                               "'   1 point  '; probably the rest of a text with a line break\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));
}

TEST_F(ExchangeCommandsTest, ChoicesOutsideTheTableFailWithoutWriting) {
    const std::string spells = PutSpells("Spell.dbc");
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"export-csv", spells, dir_.File("out.txt"), "--record", "3"}, "No record 3: "},
        {{"export-patch", spells, dir_.File("out.txt"), "--record", "-1"}, "No record -1: "},
        {{"export-patch", spells, dir_.File("out.txt"), "--record", "0", "--column", "5"},
         "No column 5: the columns of \"" + spells + "\" are 0 (Index) to 4."},
        {{"export-csv", dir_.File("Missing.dbc"), dir_.File("out.txt")}, "Cannot open file"},
        {{"export-patch", spells, dir_.File("no folder/out.txt")}, "Cannot create file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliResult result = Run(c.Args);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
        EXPECT_FALSE(std::filesystem::exists(dir_.File("out.txt")));
    }
}

TEST_F(ExchangeCommandsTest, ApplyPatchWritesTheChangedTableToOutOrInPlace) {
    const std::string patch = CrlfText({"// raise the first spell's rank", "16:3=5", "99:1=Ice"});
    const std::string changed =
        CrlfText({"16,Fireball,1.5,5", "255,\"Frost Nova\",0.100000001490116,7", "0,,-2.25,0",
                  "99,Ice,0,0"});
    dir_.Write("patch.txt", patch);

    const std::string spells = PutSpells("Spell.dbc");
    const CliResult toOut =
        Run({"apply-patch", spells, dir_.File("patch.txt"), dir_.File("Out.dbc")});
    EXPECT_EQ(toOut.ExitCode, 0) << toOut.Err;
    EXPECT_EQ(toOut.Err, "");
    EXPECT_NE(toOut.Out.find("added 1 records"), std::string::npos) << toOut.Out;
    EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
    EXPECT_EQ(CsvOf(dir_.File("Out.dbc")), changed);

    const CliResult inPlace = Run({"apply-patch", spells, dir_.File("patch.txt")});
    EXPECT_EQ(inPlace.ExitCode, 0) << inPlace.Err;
    EXPECT_EQ(CsvOf(spells), changed);
    EXPECT_EQ(dir_.Read("Out.dbc"), dir_.Read("Spell.dbc"));
}

TEST_F(ExchangeCommandsTest, AFailingPatchLineNamesItsLineAndWritesNothing) {
    const std::string spells = PutSpells("Spell.dbc");
    dir_.Write("patch.txt", CrlfText({"16:3=5", "; a comment", "255:3=abc", "0:3=1"}));

    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "to Out.dbc");
        std::vector<std::string> args = {"apply-patch", spells, dir_.File("patch.txt")};
        if (!inPlace) {
            args.push_back(dir_.File("Out.dbc"));
        }

        const CliResult result = Run(args);

        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err,
                  dir_.File("patch.txt") +
                      " line 3, column 3: 'abc' is not a valid integer value for field 'Rank'\n");
        EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
        EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));
    }
}

TEST_F(ExchangeCommandsTest, ApplyPatchWithAMissingPatchFileChangesNothing) {
    const std::string spells = PutSpells("Spell.dbc");

    const CliResult result = Run({"apply-patch", spells, dir_.File("missing.txt")});

    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Cannot open file"), std::string::npos) << result.Err;
    EXPECT_EQ(dir_.Read("Spell.dbc"), SpellSample().Bytes());
}

TEST_F(ExchangeCommandsTest, WrongArgumentsShowTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"export-csv", "a.dbc"},
        {"export-csv", "a.dbc", "b.csv", "c.csv"},
        {"export-csv", "a.dbc", "b.csv", "--record"},
        {"export-csv", "a.dbc", "b.csv", "--record", "one"},
        {"export-csv", "a.dbc", "b.csv", "--record", "1x"},
        {"export-csv", "a.dbc", "b.csv", "--record", "1", "--column", "1"},
        {"export-patch", "a.dbc", "b.txt", "--column", "1"},
        {"export-patch", "a.dbc", "b.txt", "--record", "1", "--record", "2"},
        {"export-patch", "a.dbc", "b.txt", "--all"},
        {"apply-patch", "a.dbc"},
        {"apply-patch", "a.dbc", "p.txt", "b.dbc", "c.dbc"},
        {"export-patch", "a.dbc", "b.txt", "--header"},
        {"import-csv", "a.dbc"},
        {"import-csv", "a.dbc", "in.csv", "b.dbc", "c.dbc"},
        {"import-csv", "a.dbc", "in.csv", "--record", "1"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const CliResult result = Run(args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_NE(result.Err.find("usage: kelvane-cli " + args[0]), std::string::npos)
            << result.Err;
    }
}

TEST_F(ExchangeCommandsTest, TheCommandsAreListedInTheUsage) {
    const CliResult result = Run({});

    EXPECT_EQ(result.ExitCode, 2);
    for (const char* usage :
         {"kelvane-cli export-csv TABLE.dbc OUT.csv [--record N] [--header]\n",
          "kelvane-cli import-csv TABLE.dbc IN.csv [OUT.dbc] [--header] [--by-position] "
          "[--force]\n",
          "kelvane-cli export-patch TABLE.dbc OUT.txt [--record N [--column C]]\n",
          "kelvane-cli apply-patch TABLE.dbc PATCH.txt [OUT.dbc] [--force]\n"}) {
        EXPECT_NE(result.Err.find(usage), std::string::npos) << result.Err;
    }
}

TEST_F(ExchangeCommandsTest, HeaderLineComesFirstOnlyWhenAsked) {
    const std::string spells = PutSpells("Spell.dbc");
    const struct {
        std::vector<std::string> Options;
        std::string Text;
    } cases[] = {
        {{}, kSpellCsv},
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

TEST_F(ExchangeCommandsTest, ImportChangesAndAddsRecordsByKeyIntoOutOrInPlace) {
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

TEST_F(ExchangeCommandsTest, ExportWithHeaderReadsBackUnchanged) {
    const std::string spells = PutSpells("Spell.dbc");
    ASSERT_EQ(Run({"export-csv", spells, dir_.File("out.csv"), "--header"}).ExitCode, 0);

    const CliResult result =
        Run({"import-csv", spells, dir_.File("out.csv"), dir_.File("Out.dbc"), "--header"});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("changed 0, added 0, unchanged 3"), std::string::npos) << result.Out;
    EXPECT_EQ(dir_.Read("Out.dbc"), SpellSample().Bytes());
}

TEST_F(ExchangeCommandsTest, WindowsTextIsConvertedAndSaidSo) {
    const std::string spells = PutSpells("Spell.dbc");
    dir_.Write("in.csv", "ID,Name\r\n16,\"Caf\xE9\"\r\n");

    const CliResult result =
        Run({"import-csv", spells, dir_.File("in.csv"), dir_.File("Out.dbc"), "--header"});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "Note: \"" + dir_.File("in.csv") +
                              "\": 1 text was not UTF-8 and read as Windows-1252 (the first on "
                              "line 2, column Name).\n");
    EXPECT_EQ(CsvOf(dir_.File("Out.dbc")),
              CrlfText({"16,Caf\xC3\xA9,1.5,-1", kSpellLines[1], kSpellLines[2]}));
}

TEST_F(ExchangeCommandsTest, AFailingRecordNamesLineAndColumnAndWritesNothing) {
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

}  // namespace
}  // namespace kelvane

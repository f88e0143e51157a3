#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
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

class DiffCommandTest : public ::testing::Test {
  protected:
    DiffCommandTest() { ::setenv("LC_ALL", "C", 1); }

    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    // The three-spell sample under a name of its own, with field definitions beside it.
    std::string PutSpells(const std::string& name, const std::vector<testing::FieldSpec>& fields =
                                                       testing::SpellSampleFields()) {
        dir_.Write(name, testing::SpellSample().Bytes());
        const std::string path = dir_.File(name);
        testing::WriteFieldDefs(path, fields);
        return path;
    }

    // The sample changed by a patch, saved as name.
    std::string PatchedSpells(const std::string& name,
                              std::initializer_list<std::string_view> lines) {
        const std::string path = PutSpells(name);
        dir_.Write("change.txt", CrlfText(lines));
        const CliResult applied = Run({"apply-patch", path, dir_.File("change.txt")});
        EXPECT_EQ(applied.ExitCode, 0) << applied.Err;
        return path;
    }

    testing::TempDir dir_;
};

TEST_F(DiffCommandTest, WritesThePatchThatTurnsTheOlderFileIntoTheNewer) {
    const std::string older = PutSpells("Old.dbc");
    const std::string newer =
        PatchedSpells("New.dbc", {"255:1=\"Frost, Nova\",3=8", "0:2=-0", "77:1=Mana Burn,2=2.5"});
    const std::string out = dir_.File("diff.txt");
    const CliResult diff = Run({"diff", older, newer, out});
    EXPECT_EQ(diff.ExitCode, 0) << diff.Err;
    EXPECT_EQ(diff.Out, "Wrote 3 lines to \"" + out +
                            "\": 1 added, 2 changed, 0 removed, 1 unchanged records (removed "
                            "records are comment lines: patch text cannot delete).\n");
    EXPECT_EQ(diff.Err, "");
    EXPECT_EQ(dir_.Read("diff.txt"),
              CrlfText({"255:1=\"Frost, Nova\",3=8", "0:2=-0", "77:1=Mana Burn,2=2.5,3=0"}));

    const std::string patched = dir_.File("Patched.dbc");
    ASSERT_EQ(Run({"apply-patch", older, out, patched}).ExitCode, 0);
    EXPECT_EQ(dir_.Read("Patched.dbc"), dir_.Read("New.dbc"));
}

TEST_F(DiffCommandTest, RefusesTablesItCannotMatchAndWritesNothing) {
    struct Case {
        std::string Newer;
        std::string Message;
    };
    const std::string older = PutSpells("Old.dbc");
    std::vector<testing::FieldSpec> renamed = testing::SpellSampleFields();
    renamed[1].Name = "Title";
    const std::string renamedPath = PutSpells("Renamed.dbc", renamed);
    const std::string twicePath = PatchedSpells("Twice.dbc", {"0:0=16"});
    const std::vector<Case> cases = {
        {renamedPath, "Cannot compare " + older + " with " + renamedPath +
                          ": their columns differ (give both the same field definitions):\n- "
                          "column 2 is \"Name\" (ftString) in " +
                          older + " but \"Title\" (ftString) in " + renamedPath + "\n"},
        {twicePath, "Cannot compare: the key '16' stands on records 1 and 3 of " + twicePath +
                        ", and records are matched by their key\n"},
    };
    for (const Case& refused : cases) {
        const CliResult run = Run({"diff", older, refused.Newer, dir_.File("diff.txt")});
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Err, refused.Message);
        EXPECT_FALSE(std::filesystem::exists(dir_.File("diff.txt")));
    }
    EXPECT_EQ(Run({"diff", older, twicePath}).ExitCode, 2);
}

// A value the patch text cannot carry is left out with a comment line and a warning; the rest
// is written.
TEST_F(DiffCommandTest, WarnsOfValuesItLeftOut) {
    const std::string older = PutSpells("Old.dbc");
    std::string bytes = testing::SpellSample().Bytes();
    bytes.replace(bytes.find("Fireball"), 8, "Fire;all");
    dir_.Write("New.dbc", bytes);
    const std::string newer = dir_.File("New.dbc");
    testing::WriteFieldDefs(newer, testing::SpellSampleFields());
    const CliResult diff = Run({"diff", older, newer, dir_.File("diff.txt")});
    EXPECT_EQ(diff.ExitCode, 0);
    EXPECT_EQ(diff.Err,
              "Warning: Some changes cannot be written as patch text; a comment line stands in "
              "their place:\n- values or keys with \";\" or \"//\": 1 line (key '16'); the "
              "reader skips such lines as comments\n");
    EXPECT_EQ(dir_.Read("diff.txt"),
              CrlfText({"// 16: left out 1, values patch text cannot carry"}));
}

}  // namespace
}  // namespace kelvane

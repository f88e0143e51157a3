#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/definitions/Presets.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// The "/i" batch run of the editor, started as a child on a machine without a display: it
// must pick a platform of its own, report failures on stderr and say with its exit status
// whether it saved.
class BatchModeTest : public ::testing::Test {
  protected:
    TempDir dir;
    const std::string dbcPath = dir.File("Spell.dbc");
    // Two spells of four integer fields, keys 1 and 2; no texts.
    const std::string original = DbcBytes()
                                     .Header(2, 4, 16, 1)
                                     .Int(1)
                                     .Int(10)
                                     .Int(0)
                                     .Int(0)
                                     .Int(2)
                                     .Int(20)
                                     .Int(0)
                                     .Int(0)
                                     .Raw(std::string(1, '\0'))
                                     .Bytes();

    void SetUp() override { dir.Write("Spell.dbc", original); }

    CliResult RunBatch(const std::string& patch) {
        dir.Write("patch.txt", patch);
        return RunProgram("env",
                          {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                           KELVANE_EDITOR_PATH, "/i", dbcPath, dir.File("patch.txt")},
                          dir);
    }

    std::unique_ptr<Workspace> Reopen() {
        auto work = std::make_unique<Workspace>();
        OpenDbcTable(*work, dbcPath);
        return work;
    }
};

TEST_F(BatchModeTest, AppliesThePatchSavesAndEndsWithStatusZero) {
    const CliResult result = RunBatch("1:1=11\r\n; a comment\r\n3:2=7\r\n");
    EXPECT_EQ(result.ExitCode, 0) << result.Err;

    EXPECT_EQ(dir.Read("Spell.ini"), std::string(FindPreset("Spell.dbc")->Text));
    const auto work = Reopen();
    ASSERT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(work->Table.IntegerAt(0, 2), 11);
    EXPECT_EQ(work->Table.IntegerAt(2, 1), 3);
    EXPECT_EQ(work->Table.IntegerAt(2, 3), 7);
}

TEST_F(BatchModeTest, AFailingLineIsReportedOnStderrAndNothingIsSaved) {
    const CliResult result = RunBatch("1:1=11\r\n2:1=x\r\n");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("'x' is not a valid integer value"), std::string::npos) << result.Err;
    EXPECT_EQ(dir.Read("Spell.dbc"), original);
}

TEST_F(BatchModeTest, AMissingTableIsReportedAndNothingIsWritten) {
    std::filesystem::remove(dbcPath);
    const CliResult result = RunBatch("1:1=11\r\n");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Cannot open file"), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(dbcPath));
}

TEST_F(BatchModeTest, WithoutADisplayTheEditorItselfSaysHowToRunIt) {
    const CliResult result = RunProgram("env",
                                        {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
                                         "QT_QPA_PLATFORM", KELVANE_EDITOR_PATH, dbcPath},
                                        dir);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("xvfb-run"), std::string::npos) << result.Err;
}

}  // namespace
}  // namespace kelvane::testing

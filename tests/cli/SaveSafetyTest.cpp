#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::TempDir;

std::string Quoted(const std::string& text) {
    return QuotedForShell(text, CommandShell::Posix);
}

// "CLI apply-patch TABLE PATCH; echo $? > STATUS": one of two runs started together.
std::string ApplyPatchInBackground(const TempDir& dir, const std::string& patch,
                                   const std::string& status) {
    return "(" + Quoted(KELVANE_CLI_PATH) + " apply-patch " + Quoted(dir.File("Spell.dbc")) + " " +
           Quoted(dir.File(patch)) + " >/dev/null 2>" + Quoted(dir.File(status + ".err")) +
           "; echo $? > " + Quoted(dir.File(status)) + ") & ";
}

// Two runs on one file: each either lands in the file or fails saying why, never both
// "succeed" with one run's change lost.
TEST(SaveSafety, ConcurrentPatchRunsNeverDropEachOthersChanges) {
    TempDir dir;
    dir.Write("first.txt", "16:3=111\r\n");
    dir.Write("second.txt", "255:3=222\r\n");
    for (int trial = 0; trial < 20; ++trial) {
        SCOPED_TRACE(trial);
        dir.Write("Spell.dbc", testing::SpellSample().Bytes());
        testing::WriteFieldDefs(dir.File("Spell.dbc"), testing::SpellSampleFields());
        const std::string command = ApplyPatchInBackground(dir, "first.txt", "first.status") +
                                    ApplyPatchInBackground(dir, "second.txt", "second.status") +
                                    "wait";
        ASSERT_EQ(std::system(command.c_str()), 0);

        const auto work = std::make_unique<Workspace>();
        OpenDbcTable(*work, dir.File("Spell.dbc"));
        const struct {
            const char* Status;
            int Row;
            int Rank;
        } runs[] = {{"first.status", 0, 111}, {"second.status", 1, 222}};
        for (const auto& run : runs) {
            const std::string status = dir.Read(run.Status);
            if (status == "0\n") {
                EXPECT_EQ(work->Table.IntegerAt(run.Row, 4), run.Rank) << run.Status;
            } else {
                EXPECT_EQ(status, "1\n");
                EXPECT_NE(dir.Read(std::string(run.Status) + ".err").find("changed on disk"),
                          std::string::npos)
                    << dir.Read(std::string(run.Status) + ".err");
            }
        }
    }
}

// A DBC file of the size given, all zeros.
void WriteZeroTable(const std::string& path, int records, int fields) {
    testing::DbcBytes header;
    header.Header(records, fields, fields * 4, 1);
    std::ofstream out(path, std::ios::binary);
    out << header.Bytes();
    const std::string record(static_cast<size_t>(fields) * 4, '\0');
    for (int i = 0; i < records; ++i) {
        out << record;
    }
    out << '\0';
}

TEST(SaveSafety, ATableTooLargeForTheMemoryIsNamed) {
    TempDir dir;
    // 40 MB of records under a limit of 24 MB of address space, when the program alone fits.
    WriteZeroTable(dir.File("Small.dbc"), 1, 1);
    WriteZeroTable(dir.File("Big.dbc"), 400'000, 25);
    const auto runLimited = [&](const std::string& table) {
        const std::string command = "ulimit -v 24000; " + Quoted(KELVANE_CLI_PATH) + " info " +
                                    Quoted(dir.File(table)) + " >/dev/null 2>" +
                                    Quoted(dir.File("err.txt"));
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    if (runLimited("Small.dbc") != 0) {
        GTEST_SKIP() << "the program does not start within the limit (a sanitizer build?)";
    }
    EXPECT_EQ(runLimited("Big.dbc"), 1);
    EXPECT_EQ(dir.Read("err.txt"), "Cannot load \"" + dir.File("Big.dbc") +
                                       "\": the file is too large for the memory available.\n");
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/files/AtomicFileWriter.h"
#include "core/files/FileIo.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/CrashAtSaveStep.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveCrash, ACrashLeavesTheOldOrTheNewFileAndTheNextSaveClearsTheLitter) {
    struct Case {
        SaveStep Step;
        const char* Content;
        size_t Litter;
    };
    const Case cases[] = {
        {SaveStep::TemporaryWritten, "old", 1},
        {SaveStep::TemporarySynced, "old", 1},
        {SaveStep::Renamed, "new", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Step));
        TempDir dir;
        dir.Write("t.dbc", "old");
        ASSERT_TRUE(
            SaveKilledAt(c.Step, 1, [&] { WriteFileAtomically(dir.File("t.dbc"), "new"); }));
        EXPECT_EQ(dir.Read("t.dbc"), c.Content);
        EXPECT_EQ(Names(dir.Path()).size(), 1 + c.Litter);

        WriteFileAtomically(dir.File("t.dbc"), "newer");
        EXPECT_EQ(dir.Read("t.dbc"), "newer");
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"t.dbc"});
    }
}

// A table streamed into its temporary file is as safe: the file loads as it was.
TEST(SaveCrash, ATableSaveKilledBeforeTheRenameLeavesTheTableAsItWas) {
    TempDir dir;
    dir.Write("Spell.dbc", SpellSample().Bytes());
    const auto work = std::make_unique<Workspace>();
    OpenDbcTable(*work, dir.File("Spell.dbc"));
    work->Table.Delete();
    ASSERT_TRUE(SaveKilledAt(SaveStep::TemporarySynced, 1,
                             [&] { SaveDbcFile(*work, dir.File("Spell.dbc")); }));
    EXPECT_EQ(dir.Read("Spell.dbc"), SpellSample().Bytes());
    SaveDbcFile(*work, dir.File("Spell.dbc"));
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Spell.dbc"});
}

TEST(SaveCrash, ASaveInProgressKeepsItsTemporaryFile) {
    TempDir dir;
    dir.Write("t.dbc", "old");
    AtomicFileWriter running(dir.File("t.dbc"));
    running.Append("first");
    WriteFileAtomically(dir.File("t.dbc"), "second");  // must not take the first for litter
    EXPECT_EQ(Names(dir.Path()).size(), 2u);
    running.Commit();
    EXPECT_EQ(dir.Read("t.dbc"), "first");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"t.dbc"});
}

TEST(SaveCrash, ASaveClearsOnlyTheLitterOfItsOwnTarget) {
    TempDir dir;
    ASSERT_TRUE(SaveKilledAt(SaveStep::TemporaryWritten, 1,
                             [&] { WriteFileAtomically(dir.File("a.dbc"), "a"); }));
    WriteFileAtomically(dir.File("b.dbc"), "b");
    EXPECT_EQ(Names(dir.Path()).size(), 2u);  // a's leftover and b.dbc
    WriteFileAtomically(dir.File("a.dbc"), "a");
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"a.dbc", "b.dbc"}));
}

}  // namespace
}  // namespace kelvane::testing

#include "app/EditorSession.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/Workspace.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

class EditorSessionTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    EditorSession session{*work, dialogs, feedback};

    std::string WriteSpellSample() {
        const std::string path = dir.File("Spell.dbc");
        dir.Write("Spell.dbc", SpellSample().Bytes());
        WriteFieldDefs(path, SpellSampleFields());
        return path;
    }
};

TEST_F(EditorSessionTest, OpenTableFileSetsCurrentTableCaptionAndCommands) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);

    EXPECT_EQ(work->Current.FilePath, path);
    EXPECT_EQ(work->Current.TableName, "Spell");
    EXPECT_EQ(work->Current.OpenedTableName, "Spell");
    EXPECT_EQ(work->Current.LastOpenedPath, path);
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
    EXPECT_TRUE(session.WindowState().FileCommandsEnabled);
    EXPECT_TRUE(session.WindowState().RecordExportsEnabled);
    EXPECT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(feedback.Loads, 1);
    EXPECT_EQ(feedback.BusyDepth, 0);
}

}  // namespace
}  // namespace kelvane::testing

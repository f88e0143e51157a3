#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/EditorSession.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

constexpr int kName = 2;
constexpr int kRank = 4;

class SessionUndoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.Write("Spell.dbc", SpellSample().Bytes());
        WriteFieldDefs(path, SpellSampleFields());
        session.OpenTableFile(path);
        session.SetWindowStateListener([this] { ++windowUpdates; });
    }

    void Type(int row, int column, const std::string& text) {
        work->Table.MoveTo(row);
        work->Table.Edit();
        work->Table.Fields(column).SetAsString(text);
    }

    const MainWindowState& State() const { return session.WindowState(); }

    TempDir dir;
    std::string path = dir.File("Spell.dbc");
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    EditorSession session{*work, dialogs, feedback};
    int windowUpdates = 0;
};

TEST_F(SessionUndoTest, TheWindowFollowsTypingPostingUndoRedoAndSaving) {
    EXPECT_FALSE(State().Unsaved);
    EXPECT_EQ(State().UndoName, "");

    Type(1, kName, "Ice Lance");  // typed, not posted yet
    EXPECT_TRUE(State().Unsaved);
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_EQ(State().UndoName, "Edit Cell");

    work->Table.MoveTo(0);  // posts
    EXPECT_EQ(State().UndoName, "Edit Cell");
    session.Save();
    EXPECT_FALSE(State().Unsaved);

    session.Undo();
    EXPECT_TRUE(State().Unsaved);
    EXPECT_EQ(work->Table.StringAt(1, kName), "Frost Nova");
    EXPECT_EQ(State().UndoName, "");
    EXPECT_EQ(State().RedoName, "Edit Cell");

    session.Redo();
    EXPECT_FALSE(State().Unsaved);  // back at the saved state
    EXPECT_EQ(work->Table.StringAt(1, kName), "Ice Lance");
    EXPECT_GT(windowUpdates, 0);
}

TEST_F(SessionUndoTest, LoadingAndReloadingStartAFreshHistory) {
    Type(0, kRank, "3");
    work->Table.Post();
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
    session.Reload();
    EXPECT_EQ(State().UndoName, "");
    EXPECT_FALSE(State().Unsaved);
    EXPECT_FALSE(session.HasUnsavedChanges());
}

// The file a save writes after changes taken back and done again is the file the same edits
// give without them.
TEST_F(SessionUndoTest, SavingAfterUndoAndRedoWritesWhatTheEditsAloneWrite) {
    Type(0, kRank, "3");
    work->Table.Post();
    work->Table.MoveTo(1);
    work->Table.Delete();
    work->Table.Append();
    work->Table.Fields(kName).SetAsString("Arcane Missiles");
    work->Table.Post();
    dialogs.YesNoAnswers.push_back(true);
    session.EmptyTable();
    ASSERT_EQ(work->Table.RecordCount(), 0);
    session.Undo();  // the emptying
    session.Undo();  // the new record
    session.Undo();  // the deletion
    session.Redo();  // the deletion again
    session.Save();

    Workspace direct;
    direct.Current = work->Current;
    LoadDbcBytes(direct, path, SpellSample().Bytes(), true, 0);
    direct.Table.MoveTo(0);
    direct.Table.Edit();
    direct.Table.Fields(kRank).SetAsString("3");
    direct.Table.Post();
    direct.Table.MoveTo(1);
    direct.Table.Delete();
    EXPECT_EQ(dir.Read("Spell.dbc"), EncodeDbcTable(direct));
    EXPECT_EQ(dialogs.Unanswered, std::vector<std::string>{});
}

}  // namespace
}  // namespace kelvane::testing

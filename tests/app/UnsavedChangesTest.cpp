#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/EditorSession.h"
#include "app/ExchangeCommands.h"
#include "core/FileIo.h"
#include "core/KelvaneError.h"
#include "core/Workspace.h"
#include "core/WorkspaceFiles.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

constexpr int kRank = 4;

// The Spell sample open in a session, with a second table beside it to open instead.
class UnsavedChangesTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    EditorSession session{*work, dialogs, feedback};
    std::string spell = dir.File("Spell.dbc");
    std::string other = dir.File("Other.dbc");
    int savedRank = 0;

    void SetUp() override {
        for (const std::string& path : {spell, other}) {
            WriteFileAtomically(path, SpellSample().Bytes());
            WriteFieldDefs(path, SpellSampleFields());
        }
        session.OpenTableFile(spell);
        savedRank = work->Table.IntegerAt(1, kRank);
    }

    RecordTable& Table() { return work->Table; }

    // Types a rank into record 1, posted or still in the record's editing.
    void TypeRank(int rank, bool posted) {
        Table().MoveTo(1);
        Table().Edit();
        Table().Fields(kRank).SetAsInteger(rank);
        if (posted) {
            Table().Post();
        }
    }

    // The rank of record 1 in Spell.dbc as it is on disk.
    int RankOnDisk() {
        Workspace disk;
        disk.Current.FilePath = spell;
        disk.Current.TableName = "Spell";
        LoadDbcFile(disk, spell, true, 0);
        return disk.Table.IntegerAt(1, kRank);
    }
};

struct GuardedCommand {
    const char* Name;
    std::function<void(EditorSession&, ScriptedDialogs&, const std::string& other)> Run;
    // Where the table comes from once the command went on.
    bool OpensOther;
};

const std::vector<GuardedCommand>& GuardedCommands() {
    static const std::vector<GuardedCommand> commands = {
        {"Open",
         [](EditorSession& session, ScriptedDialogs& dialogs, const std::string& other) {
             dialogs.FileAnswers.push_back(other);
             session.Open();
         },
         true},
        {"Reload",
         [](EditorSession& session, ScriptedDialogs&, const std::string&) { session.Reload(); },
         false},
        {"Fields reload",
         [](EditorSession& session, ScriptedDialogs&, const std::string&) {
             session.ReloadAfterFieldsDialog(session.Work().Current.ConfirmedFieldCount);
         },
         false},
    };
    return commands;
}

// Every command that replaces the open table asks first; Save writes what was typed (posted
// or not) before the command goes on, Discard drops it, Cancel keeps the table as it is.
TEST_F(UnsavedChangesTest, CommandsThatReplaceTheTableAskSaveDiscardOrCancel) {
    for (const GuardedCommand& command : GuardedCommands()) {
        for (const UnsavedChangesAnswer answer :
             {UnsavedChangesAnswer::Save, UnsavedChangesAnswer::Discard,
              UnsavedChangesAnswer::Cancel}) {
            for (const bool posted : {true, false}) {
                SCOPED_TRACE(std::string(command.Name) + ", answer " +
                             std::to_string(static_cast<int>(answer)) +
                             (posted ? ", posted" : ", typed"));
                WriteFileAtomically(spell, SpellSample().Bytes());
                dialogs.SaveChangesQuestions.clear();
                dialogs.FileAnswers.clear();
                session.OpenTableFile(spell);
                TypeRank(42, posted);
                ASSERT_TRUE(session.HasUnsavedChanges());
                dialogs.SaveChangesAnswers.push_back(answer);

                command.Run(session, dialogs, other);

                EXPECT_EQ(dialogs.SaveChangesQuestions,
                          std::vector<std::string>{
                              "Spell.dbc has changes that are not saved.\n\nSave them?"});
                const bool wentOn = answer != UnsavedChangesAnswer::Cancel;
                EXPECT_EQ(RankOnDisk(), answer == UnsavedChangesAnswer::Save ? 42 : savedRank);
                EXPECT_EQ(session.HasUnsavedChanges(), !wentOn);
                EXPECT_EQ(work->Current.FilePath, wentOn && command.OpensOther ? other : spell);
                const int shownRank = !wentOn                                ? 42
                                      : command.OpensOther                   ? savedRank
                                      : answer == UnsavedChangesAnswer::Save ? 42
                                                                             : savedRank;
                EXPECT_EQ(Table().IntegerAt(1, kRank), shownRank);
                EXPECT_TRUE(dialogs.Unanswered.empty());
            }
        }
    }
}

TEST_F(UnsavedChangesTest, NothingIsAskedWithoutChangesOrAfterTheyWereSaved) {
    for (const GuardedCommand& command : GuardedCommands()) {
        SCOPED_TRACE(command.Name);
        session.OpenTableFile(spell);
        Table().MoveTo(2);
        Table().Insert();
        Table().Cancel();  // a record inserted and dropped again changed nothing
        command.Run(session, dialogs, other);

        session.OpenTableFile(spell);
        TypeRank(7, true);
        ASSERT_TRUE(session.Save());
        command.Run(session, dialogs, other);
    }
    EXPECT_TRUE(dialogs.SaveChangesQuestions.empty());
    EXPECT_TRUE(dialogs.Unanswered.empty());
}

// Save runs the normal save: when that save is declined (here: the file changed on disk and
// the user does not overwrite it), the command stops and the table keeps its changes.
TEST_F(UnsavedChangesTest, ADeclinedSaveStopsTheCommand) {
    TypeRank(42, true);
    WriteFileAtomically(spell, "another program's table");
    for (const GuardedCommand& command : GuardedCommands()) {
        SCOPED_TRACE(command.Name);
        dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Save);
        dialogs.YesNoAnswers.push_back(false);
        dialogs.FileAnswers.clear();
        command.Run(session, dialogs, other);
        EXPECT_EQ(dir.Read("Spell.dbc"), "another program's table");
        EXPECT_EQ(Table().IntegerAt(1, kRank), 42);
        EXPECT_EQ(work->Current.FilePath, spell);
        EXPECT_TRUE(session.HasUnsavedChanges());
    }
}

TEST_F(UnsavedChangesTest, SaveAndExportsKeepTheCurrentRecord) {
    ExchangeCommands exchange(Table(), dialogs, feedback);
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"Save", [&] { session.Save(); }},
        {"Save as",
         [&] {
             dialogs.FileAnswers.push_back(dir.File("Copy.dbc"));
             session.SaveAs();
         }},
        {"Export everything",
         [&] {
             dialogs.FileAnswers.push_back(dir.File("All.csv"));
             exchange.ExportEverything();
         }},
        {"Patch export all",
         [&] {
             dialogs.FileAnswers.push_back(dir.File("All.txt"));
             exchange.PatchExportAll([](int, int) {});
         }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        Table().MoveTo(1);
        run();
        EXPECT_EQ(Table().CurrentRow(), 1);

        // A typed Index places its record elsewhere when posted: the cursor goes along.
        Table().MoveTo(0);
        const RecordId record = Table().RecordIdAt(0);
        Table().Edit();
        Table().Fields(0).SetAsInteger(Table().IntegerAt(2, 0) + 1);
        run();
        EXPECT_EQ(Table().State(), TableState::Browse);
        EXPECT_EQ(Table().RecordIdAt(Table().CurrentRow()), record);
        EXPECT_EQ(Table().CurrentRow(), 2);
    }
}

TEST_F(UnsavedChangesTest, FileCommandsAreEnabledOnlyWhileATableIsOpen) {
    EXPECT_TRUE(session.WindowState().FileCommandsEnabled);
    EXPECT_TRUE(session.WindowState().RecordExportsEnabled);
    EXPECT_THROW(session.RunCommandLine({dir.File("Missing.dbc")}), KelvaneError);
    EXPECT_FALSE(Table().Active());
    EXPECT_FALSE(session.WindowState().FileCommandsEnabled);
    EXPECT_FALSE(session.WindowState().RecordExportsEnabled);
}

}  // namespace
}  // namespace kelvane::testing

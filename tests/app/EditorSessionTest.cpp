#include "app/EditorSession.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/ExchangeCommands.h"
#include "app/NewTableRequest.h"
#include "core/base/KelvaneError.h"
#include "core/definitions/Presets.h"
#include "core/files/FileIo.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "editors/DatKinds.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

using ::testing::HasSubstr;

class EditorSessionTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    EditorSession session{*work, dialogs, feedback};

    std::string WriteSpellSample(bool withFieldDefs = true) {
        const std::string path = dir.File("Spell.dbc");
        dir.Write("Spell.dbc", SpellSample().Bytes());
        if (withFieldDefs) {
            WriteFieldDefs(path, SpellSampleFields());
        }
        return path;
    }

    std::vector<std::string> ColumnNames() const {
        std::vector<std::string> names;
        for (int column = 0; column < work->Table.FieldCount(); ++column) {
            names.push_back(work->Table.ColumnName(column));
        }
        return names;
    }

    // The definitions held for the first count fields, as the Fields dialog shows them.
    std::vector<FieldDef> HeldDefs(int count) const {
        std::vector<FieldDef> defs;
        for (int field = 0; field < count; ++field) {
            defs.push_back(work->Defs[field]);
        }
        return defs;
    }

    void SetRank(int row, int rank) {
        work->Table.MoveTo(row);
        work->Table.Edit();
        work->Table.Fields(4).SetAsInteger(rank);
        work->Table.Post();
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
    EXPECT_EQ(work->Table.Presentation(1).Caption, "ID(hex)");
    EXPECT_EQ(feedback.Loads, 1);
    EXPECT_EQ(feedback.BusyDepth, 0);
}

// An earlier command's result must not stand in the status bar as if it were the last word.
TEST_F(EditorSessionTest, OpeningUndoingAndRedoingSayWhatTheyDid) {
    session.OpenTableFile(WriteSpellSample());
    EXPECT_EQ(feedback.Results, std::vector<std::string>{"Opened Spell.dbc: 3 records"});

    work->Table.Edit();
    work->Table.Fields(2).SetAsString("Storm");
    work->Table.Post();
    session.Undo();
    session.Redo();
    session.Redo();  // nothing left to do again: nothing to say
    EXPECT_EQ(feedback.Results, (std::vector<std::string>{"Opened Spell.dbc: 3 records",
                                                          "Undid Edit Cell", "Redid Edit Cell"}));
}

TEST_F(EditorSessionTest, OpenAsksForAFileAndACancelKeepsTheTable) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    dialogs.FileAnswers.push_back(std::nullopt);
    session.Open();

    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    const FileDialogRequest& request = dialogs.FileRequests[0];
    EXPECT_EQ(request.Title, "Open dbc file");
    ASSERT_EQ(request.Filters.size(), 2u);
    EXPECT_EQ(request.Filters[0].Name, "*.dbc");
    EXPECT_EQ(request.Filters[1].Name, "all files");
    EXPECT_EQ(request.Filters[1].Pattern, "*.*");
    EXPECT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(work->Current.FilePath, path);
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
    EXPECT_TRUE(session.WindowState().FileCommandsEnabled);
    EXPECT_TRUE(dialogs.SaveChangesQuestions.empty());
}

// A file that cannot be loaded, whatever the reason, leaves the open table with its unsaved
// changes, its name, its columns and its commands as they were.
TEST_F(EditorSessionTest, OpenOfAFileThatCannotBeLoadedKeepsTheOpenTable) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    SetRank(1, 42);
    dir.Write("Broken.dbc", "WDBC");
    // Records cut short: the header reads, the records do not.
    dir.Write("Short.dbc", SpellSample().Bytes().substr(0, 40));
    WriteFieldDefs(dir.File("Short.dbc"), SpellSampleFields());
    const std::vector<std::pair<std::string, std::string>> failures = {
        {dir.File("Missing.dbc"), "Cannot open file"},
        {dir.File("Broken.dbc"), "Broken.dbc"},
        {dir.File("Short.dbc"), "Short.dbc"},
    };
    for (const auto& [failing, named] : failures) {
        SCOPED_TRACE(failing);
        dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
        dialogs.FileAnswers.push_back(failing);
        EXPECT_THAT([&] { session.Open(); },
                    ::testing::ThrowsMessage<KelvaneError>(HasSubstr(named)));
        EXPECT_EQ(work->Table.RecordCount(), 3);
        EXPECT_EQ(work->Table.IntegerAt(1, 4), 42);
        EXPECT_EQ(ColumnNames(),
                  (std::vector<std::string>{"Index", "ID", "Name", "Speed", "Rank"}));
        EXPECT_EQ(work->Defs[1].Name, "Name");
        EXPECT_EQ(work->Current.FilePath, path);
        EXPECT_EQ(work->Current.TableName, "Spell");
        EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
        EXPECT_TRUE(session.WindowState().FileCommandsEnabled);
        EXPECT_TRUE(session.HasUnsavedChanges());
        EXPECT_EQ(feedback.BusyDepth, 0);
    }
    // Saving still writes the table to its own file.
    EXPECT_TRUE(session.Save());
    session.Reload();
    EXPECT_EQ(work->Table.IntegerAt(1, 4), 42);
}

// A kind misspelt in the table's .ini stops the opening, naming the file and the field,
// rather than showing the column as integers.
TEST_F(EditorSessionTest, OpeningATableWhoseIniNamesAnUnknownKindFailsNamingFileAndField) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    dir.Write("Other.dbc", SpellSample().Bytes());
    dir.Write("Other.ini", "[Field kind]\r\nField 0=ftInteger\r\nField 1=banana\r\n");
    EXPECT_THAT(
        [&] { session.OpenTableFile(dir.File("Other.dbc")); },
        ::testing::ThrowsMessage<KelvaneError>(HasSubstr("\"" + dir.File("Other.ini") +
                                                         "\" cannot be used: field 1 has the kind "
                                                         "\"banana\"")));
    EXPECT_EQ(work->Current.FilePath, path);
    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "ID", "Name", "Speed", "Rank"}));
}

TEST_F(EditorSessionTest, CommandLinePathOpensTheFileButLeavesLastOpenedPath) {
    session.RunCommandLine({});
    EXPECT_FALSE(work->Table.Active());
    EXPECT_FALSE(session.WindowState().FileCommandsEnabled);

    const std::string path = WriteSpellSample();
    session.RunCommandLine({path});
    EXPECT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(work->Current.FilePath, path);
    EXPECT_EQ(work->Current.OpenedTableName, "Spell");
    EXPECT_EQ(work->Current.LastOpenedPath, "");
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
}

TEST_F(EditorSessionTest, BatchWritesTheSpellPresetAppliesThePatchAndSaves) {
    const std::string path = dir.File("Spell.dbc");
    const std::string original = DbcBytes()
                                     .Header(2, 2, 8, 1)
                                     .Int(1)
                                     .Int(10)
                                     .Int(2)
                                     .Int(20)
                                     .Raw(std::string(1, '\0'))
                                     .Bytes();
    dir.Write("Spell.dbc", original);
    dir.Write("patch.txt", "2:1=21\r\n5:1=50\r\n");

    EXPECT_EQ(session.RunCommandLine({"/i", path, dir.File("patch.txt")}),
              CommandLineOutcome::BatchSaved);
    EXPECT_EQ(dir.Read("Spell.ini"), std::string(FindPreset("Spell.dbc")->Text));
    EXPECT_EQ(work->Current.OpenedTableName, "Spell");
    EXPECT_EQ(work->Current.LastOpenedPath, "");
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
    const std::string saved = dir.Read("Spell.dbc");
    EXPECT_EQ(Int32At(saved, 4), 3);  // records
    EXPECT_EQ(Int32At(saved, 20 + 4), 10);
    EXPECT_EQ(Int32At(saved, 20 + 12), 21);
    EXPECT_EQ(Int32At(saved, 20 + 16), 5);
    EXPECT_EQ(Int32At(saved, 20 + 20), 50);
}

TEST_F(EditorSessionTest, BatchStopsBeforeSavingWhenALineOrTheLoadFails) {
    const std::string path = dir.File("Spell.dbc");
    const std::string original =
        DbcBytes().Header(1, 2, 8, 1).Int(1).Int(10).Raw(std::string(1, '\0')).Bytes();
    dir.Write("Spell.dbc", original);
    dir.Write("patch.txt", "1:1=11\r\n1:1=x\r\n");
    EXPECT_THROW(session.RunCommandLine({"/i", path, dir.File("patch.txt")}), KelvaneError);
    EXPECT_EQ(dir.Read("Spell.dbc"), original);

    // A file whose records run past its end is refused by the load, and nothing is saved
    // over it.
    const std::string truncated = original.substr(0, original.size() - 6);
    dir.Write("Spell.dbc", truncated);
    dir.Write("patch.txt", "1:1=11\r\n");
    EXPECT_THROW(session.RunCommandLine({"/i", path, dir.File("patch.txt")}), KelvaneError);
    EXPECT_EQ(dir.Read("Spell.dbc"), truncated);
}

TEST_F(EditorSessionTest, BatchRefusesATableThePresetDoesNotFitUnlessForced) {
    // The Spell preset has no text column among the sample's four fields, so a save would
    // drop the sample's two texts. Nobody is asked in a batch run.
    const std::string path = WriteSpellSample();
    dir.Write("patch.txt", "16:3=3\r\n");
    try {
        session.RunCommandLine({"/i", path, dir.File("patch.txt")});
        ADD_FAILURE() << "the batch saved";
    } catch (const KelvaneError& error) {
        EXPECT_THAT(error.what(), HasSubstr("\"" + path + "\""));
        EXPECT_THAT(error.what(), HasSubstr("2 texts of the file are in no string column"));
        EXPECT_THAT(error.what(), HasSubstr("--force"));
    }
    EXPECT_EQ(dir.Read("Spell.dbc"), SpellSample().Bytes());
    EXPECT_TRUE(dialogs.Questions.empty());
    // The load said once that the preset describes other fields than the file has.
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_THAT(dialogs.Messages[0], HasSubstr("Spell.ini describes "));
    EXPECT_THAT(dialogs.Messages[0], HasSubstr(" fields; Spell.dbc has 4: "));

    EXPECT_EQ(session.RunCommandLine({"/i", path, dir.File("patch.txt"), "--force"}),
              CommandLineOutcome::BatchSaved);
    EXPECT_NE(dir.Read("Spell.dbc"), SpellSample().Bytes());
}

TEST_F(EditorSessionTest, SaveKeepsEditsAndReloadDropsUnsavedOnes) {
    session.OpenTableFile(WriteSpellSample());
    SetRank(1, 42);
    session.Save();
    SetRank(1, 99);
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
    session.Reload();

    EXPECT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(work->Table.IntegerAt(1, 4), 42);
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
}

TEST_F(EditorSessionTest, SaveAsWritesTheTableAndItsFieldDefinitionsUnderTheNewName) {
    session.OpenTableFile(WriteSpellSample());
    const std::string copy = dir.File("Copy.dbc");
    dialogs.FileAnswers.push_back(copy);
    session.SaveAs();

    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(dialogs.FileRequests[0].Title, "Save as");
    EXPECT_EQ(dialogs.FileRequests[0].DefaultExtension, "dbc");
    EXPECT_EQ(dialogs.FileRequests[0].FileName, "Spell");
    EXPECT_EQ(dir.Read("Copy.dbc"), SpellSample().Bytes());
    EXPECT_EQ(dir.Read("Copy.ini"), dir.Read("Spell.ini"));
    EXPECT_EQ(work->Current.FilePath, copy);
    EXPECT_EQ(work->Current.TableName, "Copy");
    EXPECT_EQ(work->Current.OpenedTableName, "Spell");
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Copy");
}

// Recent files hear of the files the user opened or named, never of a batch run's file.
TEST_F(EditorSessionTest, FilesOpenedOrSavedUnderANewNameAreTold) {
    std::vector<std::string> told;
    session.SetFileOpenedListener([&told](const std::string& path) { told.push_back(path); });
    const std::string spell = WriteSpellSample();
    session.OpenTableFile(spell);
    session.RunCommandLine({spell});
    dialogs.FileAnswers.push_back(dir.File("Copy.dbc"));
    session.SaveAs();
    session.Save();
    session.Reload();
    EXPECT_EQ(told, (std::vector<std::string>{spell, spell, dir.File("Copy.dbc")}));

    dir.Write("patch.txt", "");
    told.clear();
    session.RunCommandLine({"/i", spell, dir.File("patch.txt"), "--force"});
    EXPECT_EQ(told, std::vector<std::string>{});
}

TEST_F(EditorSessionTest, TheLoadTellsHowTheDefinitionsFitAndASaveSaysWhatItWrote) {
    const std::string spell = WriteSpellSample();
    session.OpenTableFile(spell);
    const DefinitionsFit& fit = session.WindowState().Definitions;
    EXPECT_EQ(fit.File, "Spell.ini");
    EXPECT_EQ(fit.DescribedFields, 4);
    EXPECT_EQ(fit.FileFields, 4);
    EXPECT_EQ(fit.Note, "");
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(feedback.Results.back(), "Saved 3 records to Spell.dbc");

    WriteFieldDefs(spell, {{"ID", FieldKind::ftInteger, true}});
    session.Reload();
    EXPECT_EQ(session.WindowState().Definitions.DescribedFields, 1);
    EXPECT_THAT(session.WindowState().Definitions.Note, HasSubstr("describes 1 fields"));
    dialogs.Messages.clear();

    std::filesystem::remove(dir.File("Spell.ini"));
    session.Reload();
    EXPECT_EQ(session.WindowState().Definitions.DescribedFields, 0);
    // The texts of the string column now read as integers: a save would change the block.
    EXPECT_FALSE(session.WindowState().Definitions.TextFit.Fits());
    dialogs.Messages.clear();
}

TEST_F(EditorSessionTest, SaveAsCancelledChangesNothing) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    dialogs.FileAnswers.push_back(std::nullopt);
    session.SaveAs();
    EXPECT_EQ(work->Current.FilePath, path);
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Spell");
}

TEST_F(EditorSessionTest, NewWithAFieldCountNumbersCustomTablesEvenAfterACancelledSaveAs) {
    dialogs.FileAnswers.push_back(std::nullopt);
    session.NewTable({NewTableRequest::Source::FieldCount, "  3  ", ""});

    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "0", "1", "2"}));
    EXPECT_EQ(work->Table.RecordCount(), 0);
    EXPECT_EQ(work->Defs[2].Name, "2");
    EXPECT_EQ(work->Defs[2].KindText, "ftInteger");
    EXPECT_EQ(work->Current.TableName, "Custom1");
    EXPECT_EQ(work->Current.FilePath, "");
    EXPECT_EQ(session.WindowState().Caption, "Kelvane Custom1");
    EXPECT_TRUE(session.WindowState().FileCommandsEnabled);
    EXPECT_FALSE(session.WindowState().ReloadEnabled);
    EXPECT_FALSE(session.WindowState().RecordExportsEnabled);
    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(dialogs.FileRequests[0].FileName, "Custom1");

    const std::string saved = dir.File("Custom2.dbc");
    dialogs.FileAnswers.push_back(saved);
    session.NewTable({NewTableRequest::Source::FieldCount, "2", ""});
    EXPECT_EQ(dialogs.FileRequests[1].FileName, "Custom2");
    EXPECT_EQ(work->Current.FilePath, saved);
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Custom2.ini")));
    EXPECT_EQ(work->Current.NewTableCounter, 3);
}

TEST_F(EditorSessionTest, NewAfterAnOpenedTableGivesTheCustomTableNoFileOfItsOwn) {
    session.OpenTableFile(WriteSpellSample());
    dialogs.FileAnswers.push_back(std::nullopt);
    session.NewTable({NewTableRequest::Source::FieldCount, "1", ""});
    EXPECT_EQ(work->Current.FilePath, "");
    EXPECT_FALSE(session.WindowState().ReloadEnabled);
    EXPECT_EQ(work->Current.OpenedTableName, "Spell");
    EXPECT_TRUE(session.WindowState().RecordExportsEnabled);
}

// A new table has no file until the user picks one: Save asks where, Reload has nothing to
// read, and its records are unsaved work whatever the history says.
TEST_F(EditorSessionTest, ATableNeverSavedIsWrittenOnlyWhereTheUserSays) {
    session.OpenTableFile(WriteSpellSample());
    dialogs.FileAnswers.push_back(std::nullopt);
    session.NewTable({NewTableRequest::Source::FieldCount, "2", ""});
    session.AddRow();
    work->Table.Fields(1).SetAsInteger(5);
    work->Table.Post();

    dialogs.FileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(session.Save());
    ASSERT_EQ(dialogs.FileRequests.size(), 2u);
    EXPECT_EQ(dialogs.FileRequests[1].Title, "Save as");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Custom1.dbc")));
    EXPECT_FALSE(std::filesystem::exists("Custom1.dbc"));
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_THAT([&] { session.Reload(); },
                ::testing::ThrowsMessage<KelvaneError>(
                    "Custom1 has not been saved to a file yet: there is nothing to reload."));
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
    EXPECT_FALSE(session.SaveOrDiscardChanges());
    EXPECT_EQ(dialogs.SaveChangesQuestions,
              std::vector<std::string>{"Custom1 has changes that are not saved.\n\nSave them?"});

    const std::string mine = dir.File("Mine.dbc");
    dialogs.FileAnswers.push_back(mine);
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(work->Current.FilePath, mine);
    EXPECT_TRUE(std::filesystem::exists(dir.File("Mine.ini")));
    EXPECT_FALSE(session.HasUnsavedChanges());
    EXPECT_TRUE(session.WindowState().ReloadEnabled);
}

// The Fields dialog on a table never saved renames its columns keeping its records, and
// writes no field-definition file until the table is saved.
TEST_F(EditorSessionTest, FieldsOnATableNeverSavedRebuildItFromItsOwnRecords) {
    dialogs.FileAnswers.push_back(std::nullopt);
    session.NewTable({NewTableRequest::Source::FieldCount, "2", ""});
    session.AddRow();
    work->Table.Fields(2).SetAsInteger(7);
    work->Table.Post();
    std::vector<FieldDef> defs = HeldDefs(2);
    defs[1].Name = "Level";
    session.TakeOverFieldDefinitions(defs, 2);

    EXPECT_TRUE(dialogs.SaveChangesQuestions.empty());
    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "0", "Level"}));
    EXPECT_EQ(work->Table.IntegerAt(0, 2), 7);
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_FALSE(std::filesystem::exists("Custom1.ini"));
}

TEST_F(EditorSessionTest, NewWithABadFieldCountFailsButStillCountsTheTable) {
    struct Case {
        std::string typed;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"     ", "'' is not a valid integer value"},
        {"2001", "A table has at most 2000 fields, not 2001."},
        {"99999", "A table has at most 2000 fields, not 99999."},
    };
    for (const Case& c : cases) {
        const int counter = work->Current.NewTableCounter;
        try {
            session.NewTable({NewTableRequest::Source::FieldCount, c.typed, ""});
            ADD_FAILURE() << "'" << c.typed << "' was taken";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(work->Current.NewTableCounter, counter + 1) << c.typed;
    }
    EXPECT_TRUE(dialogs.FileRequests.empty());
}

TEST_F(EditorSessionTest, NewFromAFieldDefinitionFileBuildsItsColumns) {
    WriteSpellSample();
    dialogs.FileAnswers.push_back(std::nullopt);
    session.NewTable({NewTableRequest::Source::FieldDefFile, "", dir.File("Spell.ini")});
    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "ID", "Name", "Speed", "Rank"}));
    EXPECT_EQ(work->Table.ColumnKind(2), FieldKind::ftString);
    EXPECT_TRUE(work->Table.Presentation(1).HexHooks);
    EXPECT_EQ(work->Current.TableName, "Custom1");

    dir.Write("Empty.ini", "");
    session.NewTable({NewTableRequest::Source::FieldDefFile, "", dir.File("Empty.ini")});
    EXPECT_EQ(work->Current.NewTableCounter, 3);
    EXPECT_EQ(work->Current.TableName, "Custom1");
    EXPECT_EQ(dialogs.FileRequests.size(), 1u);
}

TEST_F(EditorSessionTest, FieldsDialogReloadsWithDefinitionsOrWithTheConfirmedCount) {
    session.OpenTableFile(WriteSpellSample());

    SetRank(0, 5);
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
    session.TakeOverFieldDefinitions(HeldDefs(4), 4);
    EXPECT_EQ(work->Table.FieldCount(), 5);
    EXPECT_EQ(work->Table.IntegerAt(0, 4), -1);

    session.TakeOverFieldDefinitions(HeldDefs(2), 4);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 2);
    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "ID", "Name"}));

    session.AutoReloadOnFieldsChange = false;
    session.TakeOverFieldDefinitions(HeldDefs(4), 2);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 4);
    EXPECT_EQ(work->Table.FieldCount(), 3);
}

TEST_F(EditorSessionTest, SavingATableWithoutStringColumnsOverTextsAsksFirst) {
    const std::string path = WriteSpellSample(/*withFieldDefs=*/false);
    session.OpenTableFile(path);
    SetRank(0, 1234);

    dialogs.YesNoAnswers.push_back(false);
    EXPECT_FALSE(session.Save());
    ASSERT_EQ(dialogs.DefaultNoQuestions.size(), 1u);
    EXPECT_THAT(dialogs.DefaultNoQuestions[0], HasSubstr(path));
    EXPECT_THAT(dialogs.DefaultNoQuestions[0],
                HasSubstr("2 texts of the file are in no string column"));
    EXPECT_THAT(dialogs.DefaultNoQuestions[0], HasSubstr("Save anyway?"));
    EXPECT_EQ(dir.Read("Spell.dbc"), SpellSample().Bytes());

    dialogs.YesNoAnswers.push_back(true);
    EXPECT_TRUE(session.Save());
    EXPECT_NE(dir.Read("Spell.dbc"), SpellSample().Bytes());
    // The file now holds what the table holds: the next save has nothing to ask.
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(dialogs.Questions.size(), 2u);
}

TEST_F(EditorSessionTest, SavingATableWithStringColumnsOrFromAFileWithoutTextsAsksNothing) {
    session.OpenTableFile(WriteSpellSample());
    session.Save();
    dir.Write("Plain.dbc", DbcBytes().Header(1, 1, 4, 1).Int(7).Raw(std::string(1, '\0')).Bytes());
    session.OpenTableFile(dir.File("Plain.dbc"));
    session.Save();
    EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(EditorSessionTest, ByteFieldFilesMarkTheCaptionOnEveryLoad) {
    dir.Write("Flags.dbc", ByteFieldSample().Bytes());
    session.OpenTableFile(dir.File("Flags.dbc"));
    EXPECT_EQ(session.WindowState().Caption, "Kelvane by Dravik - Flags with byte fields");
    session.Reload();
    EXPECT_EQ(session.WindowState().Caption,
              "Kelvane by Dravik - Flags with byte fields with byte fields");
}

TEST_F(EditorSessionTest, StringsOutsideTheBlockAreReportedAfterTheLoad) {
    DbcBytes file;
    file.Header(1, 4, 16, 21).Int(1).Int(500).Float(1).Int(0);
    file.Raw(std::string("\0Fireball\0Frost Nova\0", 21));
    dir.Write("Spell.dbc", file.Bytes());
    WriteFieldDefs(dir.File("Spell.dbc"), SpellSampleFields());
    session.OpenTableFile(dir.File("Spell.dbc"));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_THAT(dialogs.Messages[0], HasSubstr("Name"));
}

TEST_F(EditorSessionTest, RowCommandsWorkOnTheCurrentRecordAndDeletesAsk) {
    session.OpenTableFile(WriteSpellSample());
    work->Table.MoveTo(1);
    session.AddRow();
    EXPECT_EQ(work->Table.State(), TableState::Insert);
    work->Table.Post();
    EXPECT_EQ(work->Table.RecordCount(), 4);

    dialogs.YesNoAnswers = {false, true};
    session.DeleteRow();
    EXPECT_EQ(work->Table.RecordCount(), 4);
    session.DeleteRow();
    EXPECT_EQ(work->Table.RecordCount(), 3);
    EXPECT_EQ(dialogs.Questions, (std::vector<std::string>{"Delete record 4 of 4 (ID 0)?",
                                                           "Delete record 4 of 4 (ID 0)?"}));

    dialogs.YesNoAnswers = {false, true};
    session.EmptyTable();
    EXPECT_EQ(work->Table.RecordCount(), 3);
    session.EmptyTable();
    EXPECT_EQ(work->Table.RecordCount(), 0);
    EXPECT_EQ(work->Table.FieldCount(), 5);
    EXPECT_EQ(dialogs.DefaultNoQuestions,
              (std::vector<std::string>{"Delete all 3 records?", "Delete all 3 records?"}));
}

}  // namespace
}  // namespace kelvane::testing

namespace kelvane::testing {
namespace {

TEST_F(EditorSessionTest, SavingATableOpenedAsADatKindOffersItsFile) {
    struct Case {
        const char* FileName;
        const char* Offered;  // the kind word, or "" when nothing is offered
    };
    const Case cases[] = {{"Creatures.dbc", "creatures"}, {"Items.dbc", "items"},
                          {"gameobjects.dbc", "go"},      {"creatures.dbc", ""},
                          {"GameObjects.dbc", ""},        {"Spell.dbc", ""}};
    for (const Case& c : cases) {
        std::vector<std::string> offered;
        session.SetDatOffer([&](const DatKind& kind) { offered.emplace_back(kind.KindWord); });
        dir.Write(c.FileName, SpellSample().Bytes());
        WriteFieldDefs(dir.File(c.FileName), SpellSampleFields());
        session.OpenTableFile(dir.File(c.FileName));
        session.Save();
        dialogs.FileAnswers.push_back(dir.File("Renamed.dbc"));
        session.SaveAs();
        const std::vector<std::string> expected =
            std::string(c.Offered).empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.Offered, c.Offered};
        EXPECT_EQ(offered, expected) << c.FileName << ": also after Save as under another name";
    }
}

TEST_F(EditorSessionTest, AFailedSaveStillOffersTheDatFile) {
    int offers = 0;
    session.SetDatOffer([&](const DatKind&) { ++offers; });
    dir.Write("Creatures.dbc", SpellSample().Bytes());
    WriteFieldDefs(dir.File("Creatures.dbc"), SpellSampleFields());
    session.OpenTableFile(dir.File("Creatures.dbc"));
    work->Current.FilePath = dir.File("gone/Creatures.dbc");
    EXPECT_THROW(session.Save(), KelvaneError);
    EXPECT_EQ(offers, 1);
}

TEST_F(EditorSessionTest, SavingOverAFileChangedOnDiskAsksWhetherToOverwriteIt) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    SetRank(1, 42);
    WriteFileAtomically(path, "another program's table");
    const std::string question =
        "\"" + path +
        "\" changed on disk after it was loaded: another program, or another Kelvane, saved it "
        "since.\n\nOverwrite it with this table? [Overwrite / Cancel]";

    dialogs.YesNoAnswers.push_back(false);
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>{question});
    EXPECT_EQ(dir.Read("Spell.dbc"), "another program's table");

    dialogs.YesNoAnswers.push_back(true);
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>(2, question));
    EXPECT_TRUE(session.Save());  // its own save is what it compares with now
    EXPECT_EQ(dialogs.Questions.size(), 2u);
    session.Reload();
    EXPECT_EQ(work->Table.IntegerAt(1, 4), 42);
}

TEST_F(EditorSessionTest, SaveAsOverTheLoadedFileAsksTooAndACancelWritesNoDefinitions) {
    const std::string path = WriteSpellSample();
    session.OpenTableFile(path);
    std::filesystem::remove(dir.File("Spell.ini"));
    WriteFileAtomically(path, "another program's table");
    dialogs.FileAnswers.push_back(path);
    dialogs.YesNoAnswers.push_back(false);
    session.SaveAs();
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dir.Read("Spell.dbc"), "another program's table");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Spell.ini")));
}

// Feedback of a machine that runs out of memory while a table loads.
class ExhaustedFeedback : public CountingFeedback {
  public:
    void LoadProgress(int, int) override { throw std::bad_alloc(); }
};

TEST_F(EditorSessionTest, RunningOutOfMemoryWhileLoadingNamesTheFile) {
    const std::string path = WriteSpellSample();
    ExhaustedFeedback exhausted;
    EditorSession starved(*work, dialogs, exhausted);
    try {
        starved.OpenTableFile(path);
        FAIL() << "the load went on without memory";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot load \"" + path + "\": the file is too large for the memory available.");
    }
    EXPECT_EQ(exhausted.BusyDepth, 0);
}

}  // namespace
}  // namespace kelvane::testing

namespace kelvane::testing {
namespace {

// The Spell sample open, with a second table beside it to open instead.
class UnsavedChangesTest : public EditorSessionTest {
  protected:
    static constexpr int kRank = 4;
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
             const Workspace& work = session.Work();
             std::vector<FieldDef> defs;
             for (int field = 0; field < work.Table.FieldCount() - 1; ++field) {
                 defs.push_back(work.Defs[field]);
             }
             session.TakeOverFieldDefinitions(defs, static_cast<int>(defs.size()));
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

// Nothing of the Fields dialog is taken over before the question: a Cancel leaves the
// definitions, their file and the columns as they were; Save saves the table first.
TEST_F(UnsavedChangesTest, FieldsTakeNothingOverUntilTheCommandGoesAhead) {
    const std::string definitions = dir.Read("Spell.ini");
    std::vector<FieldDef> renamed = HeldDefs(4);
    renamed[3].Name = "Level";
    TypeRank(42, true);

    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
    session.TakeOverFieldDefinitions(renamed, 4);
    EXPECT_EQ(dir.Read("Spell.ini"), definitions);
    EXPECT_EQ(work->Defs[3].Name, "Rank");
    EXPECT_EQ(Table().ColumnName(kRank), "Rank");
    EXPECT_EQ(Table().IntegerAt(1, kRank), 42);

    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Save);
    session.TakeOverFieldDefinitions(renamed, 4);
    EXPECT_EQ(RankOnDisk(), 42);
    EXPECT_NE(dir.Read("Spell.ini").find("Field 3=Level"), std::string::npos);
    EXPECT_EQ(Table().ColumnName(kRank), "Level");
}

// "Load Preset" writes nothing before the command goes ahead: a Cancel at the question about
// unsaved changes, or at the one about replacing other definitions, leaves the file as it was.
TEST_F(UnsavedChangesTest, LoadPresetAsksBeforeItWritesAnything) {
    const Preset& preset = *FindPreset("Spell.dbc");
    const std::string definitions = dir.Read("Spell.ini");
    const std::string replaceQuestion = dir.File("Spell.ini") +
                                        " holds other field definitions.\n\nReplace them with "
                                        "the Spell.dbc preset? [Replace / Cancel]";
    TypeRank(42, true);

    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
    EXPECT_FALSE(session.LoadPreset(preset));
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
    dialogs.YesNoAnswers.push_back(false);
    EXPECT_FALSE(session.LoadPreset(preset));
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>{replaceQuestion});
    EXPECT_EQ(dir.Read("Spell.ini"), definitions);
    EXPECT_EQ(Table().IntegerAt(1, kRank), 42);

    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
    dialogs.YesNoAnswers.push_back(true);
    EXPECT_TRUE(session.LoadPreset(preset));
    EXPECT_EQ(dir.Read("Spell.ini"), preset.Text);
    EXPECT_EQ(Table().IntegerAt(1, kRank), savedRank);
    EXPECT_EQ(Table().ColumnName(1), work->Defs[0].Name);

    // The preset once more replaces nothing of the user's: nothing to ask.
    EXPECT_TRUE(session.LoadPreset(preset));
    EXPECT_EQ(dialogs.Questions.size(), 2u);
    EXPECT_TRUE(dialogs.Unanswered.empty());
}

TEST_F(EditorSessionTest, LoadPresetNeedsAFileOpenedFirst) {
    EXPECT_THAT([&] { session.LoadPreset(*FindPreset("Spell.dbc")); },
                ::testing::ThrowsMessage<KelvaneError>(
                    "Open a table first: a preset is written into the folder of the table "
                    "opened last."));
    EXPECT_FALSE(std::filesystem::exists("Spell.ini"));
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

        // A record inserted and left untouched is dropped, as moving away would drop it.
        Table().MoveTo(1);
        Table().Insert();
        run();
        EXPECT_EQ(Table().RecordCount(), 3);
        EXPECT_EQ(Table().CurrentRow(), 1);
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

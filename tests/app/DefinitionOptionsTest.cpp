#include "app/DefinitionOptions.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/EditorArguments.h"
#include "app/EditorSession.h"
#include "core/base/KelvaneError.h"
#include "core/definitions/ClientBuildText.h"
#include "core/definitions/DefinitionSettingsFile.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/DbdSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

constexpr char kReloadQuestion[] = "Reload Spell.dbc with the new definitions?";

// The options over a session, with a configuration folder of their own so nothing the user
// remembered is read or changed.
class DefinitionOptionsTest : public ::testing::Test {
  protected:
    TempDir config;
    TempDir dir;
    TempDir defs;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    EditorSession session{*work, dialogs, feedback};
    DefinitionOptions options{session, dialogs};

    void SetUp() override {
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        defs.Write("Spell.dbd", SpellSampleDbd());
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(dialogs.Unanswered, std::vector<std::string>{});
    }

    void OpenSpellSample(bool withFieldDefs) {
        const std::string path = dir.File("Spell.dbc");
        dir.Write("Spell.dbc", SpellSample().Bytes());
        if (withFieldDefs) {
            WriteFieldDefs(path, SpellSampleFields());
        }
        session.OpenTableFile(path);
        dialogs.Messages.clear();
    }

    void TypeBuild(const std::string& text) {
        dialogs.TextAnswers.push_back(text);
        options.ChangeBuild();
    }

    bool Remembered() const { return std::filesystem::exists(DefinitionSettingsPath()); }
};

TEST_F(DefinitionOptionsTest, TheFolderAndBuildChosenAreRememberedForTheNextRun) {
    dialogs.FolderAnswers.push_back(defs.Path());
    options.ChooseFolder();
    TypeBuild(" 3.3.5.12340 ");
    EXPECT_EQ(work->Settings.DbdFolder, defs.Path());
    EXPECT_EQ(ClientBuildText(work->Settings.Build), "3.3.5.12340");
    const DefinitionSettings next = LoadDefinitionSettings();
    EXPECT_EQ(next.DbdFolder, defs.Path());
    EXPECT_EQ(ClientBuildText(next.Build), "3.3.5.12340");

    // The build question shows the build there is; an empty answer clears it.
    TypeBuild("");
    EXPECT_EQ(dialogs.TextQuestions.back().substr(dialogs.TextQuestions.back().size() - 13),
              "[3.3.5.12340]");
    EXPECT_FALSE(work->Settings.Build.has_value());
    EXPECT_FALSE(LoadDefinitionSettings().Build.has_value());
    EXPECT_EQ(LoadDefinitionSettings().DbdFolder, defs.Path());
}

TEST_F(DefinitionOptionsTest, ACancelOrAnAnswerThatIsNoBuildChangesNothing) {
    dialogs.FolderAnswers.push_back(std::nullopt);
    options.ChooseFolder();
    dialogs.TextAnswers.push_back(std::nullopt);
    options.ChangeBuild();
    EXPECT_FALSE(Remembered());

    TypeBuild("1.12.1.5875");
    for (const char* typed : {"1.12.1", "1.12.1.5875.0", "latest"}) {
        EXPECT_THROW(TypeBuild(typed), KelvaneError) << typed;
        EXPECT_EQ(ClientBuildText(work->Settings.Build), "1.12.1.5875") << typed;
        EXPECT_EQ(ClientBuildText(LoadDefinitionSettings().Build), "1.12.1.5875") << typed;
    }
}

TEST_F(DefinitionOptionsTest, TheCommandLinesFolderAndBuildGoOverTheRememberedOnes) {
    dialogs.FolderAnswers.push_back(defs.Path());
    options.ChooseFolder();
    TypeBuild("1.12.1.5875");

    work->Settings = {};
    options.Start(ParseEditorArguments({"Spell.dbc"}));
    EXPECT_EQ(work->Settings.DbdFolder, defs.Path());
    EXPECT_EQ(ClientBuildText(work->Settings.Build), "1.12.1.5875");

    options.Start(ParseEditorArguments({"--build", "3.3.5.12340", "--defs", dir.Path()}));
    EXPECT_EQ(work->Settings.DbdFolder, dir.Path());
    EXPECT_EQ(ClientBuildText(work->Settings.Build), "3.3.5.12340");
    EXPECT_EQ(LoadDefinitionSettings().DbdFolder, dir.Path());
    EXPECT_EQ(ClientBuildText(LoadDefinitionSettings().Build), "3.3.5.12340");
}

TEST_F(DefinitionOptionsTest, AnOpenTableIsOfferedAReloadWithTheNewDefinitions) {
    OpenSpellSample(false);
    ASSERT_EQ(work->Table.ColumnName(2), "1");

    dialogs.YesNoAnswers.push_back(false);
    dialogs.FolderAnswers.push_back(defs.Path());
    options.ChooseFolder();
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>{kReloadQuestion});
    EXPECT_EQ(work->Table.ColumnName(2), "1");

    dialogs.YesNoAnswers.push_back(true);
    TypeBuild("3.3.5.12340");
    EXPECT_EQ(dialogs.Questions.size(), 2u);
    EXPECT_EQ(work->Table.ColumnName(2), "Title");
    EXPECT_EQ(work->Table.StringAt(0, 2), "Fireball");
    EXPECT_EQ(work->Definitions.Source, DefinitionsSource::Dbd);
}

TEST_F(DefinitionOptionsTest, TheReloadAsksAboutUnsavedChangesFirst) {
    OpenSpellSample(false);
    work->Table.MoveTo(0);
    work->Table.Edit();
    work->Table.Fields(4).SetAsInteger(42);
    work->Table.Post();

    dialogs.YesNoAnswers.push_back(true);
    dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
    dialogs.FolderAnswers.push_back(defs.Path());
    options.ChooseFolder();
    EXPECT_EQ(dialogs.SaveChangesQuestions.size(), 1u);
    EXPECT_EQ(work->Table.IntegerAt(0, 4), 42);
    // Remembered all the same: only the reload was cancelled.
    EXPECT_EQ(LoadDefinitionSettings().DbdFolder, defs.Path());
}

TEST_F(DefinitionOptionsTest, NoReloadIsOfferedWhereNothingWouldChange) {
    // Without a table, and with a table whose own TABLE.ini wins over any .dbd layout.
    dialogs.FolderAnswers.push_back(defs.Path());
    options.ChooseFolder();
    OpenSpellSample(true);
    TypeBuild("3.3.5.12340");
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>{});
    EXPECT_EQ(work->Table.ColumnName(2), "Name");
}

}  // namespace
}  // namespace kelvane::testing

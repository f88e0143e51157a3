#include "app/FieldSettingsFill.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/DbdSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// The Spell sample opened without definitions, and a definitions folder beside it.
class FieldSettingsFillTest : public ::testing::Test {
  protected:
    TempDir dir;
    TempDir defs;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();

    void Open(const DbcBytes& file) {
        dir.Write("Spell.dbc", file.Bytes());
        OpenDbcTable(*work, dir.File("Spell.dbc"));
    }

    // The message the fill fails with, or "" when it fills.
    std::string FailureOfDbdFill() const {
        try {
            FieldSettingsRowsFromDbd(*work);
        } catch (const KelvaneError& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(FieldSettingsFillTest, FromDefinitionsGivesEveryFieldOfTheFittingLayout) {
    defs.Write("spell.DBD", SpellSampleDbd());
    work->Settings.DbdFolder = defs.Path();
    Open(SpellSample());

    const std::vector<FieldSettingsRow> rows = FieldSettingsRowsFromDbd(*work);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"0", "ID", "ftInteger", "32"},
        {"1", "Title", "ftString", "32"},
        {"2", "Speed", "ftFloat", "32"},
        {"3", "Rank", "ftInteger", "32"},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(
            (std::vector<std::string>{rows[i].Index, rows[i].Name, rows[i].Kind, rows[i].Bits}),
            expected[i]);
    }
}

TEST_F(FieldSettingsFillTest, FromDefinitionsSaysWhyThereAreNone) {
    EXPECT_NE(FailureOfDbdFill().find("Open a table from a file first"), std::string::npos);

    Open(SpellSample());
    EXPECT_NE(FailureOfDbdFill().find("No definitions folder is set"), std::string::npos);

    work->Settings.DbdFolder = defs.Path();
    EXPECT_EQ(FailureOfDbdFill(),
              "There is no Spell.dbd in the definitions folder " + defs.Path() + ".");

    // Three fields: no layout of Spell.dbd has that few.
    defs.Write("Spell.dbd", SpellSampleDbd());
    Open(DbcBytes().Header(1, 3, 12, 1).Int(1).Int(2).Int(3).Raw(std::string(1, '\0')));
    const std::string noFit = FailureOfDbdFill();
    EXPECT_NE(noFit.find("Spell"), std::string::npos) << noFit;
    EXPECT_NE(noFit.find("3"), std::string::npos) << noFit;
}

TEST_F(FieldSettingsFillTest, GuessFillsOnlyTheKindsOfTheRowsThereAre) {
    Open(SpellSample());
    std::vector<FieldSettingsRow> rows = FieldSettingsRows(work->Table, work->Defs);
    ASSERT_EQ(rows.size(), 4u);
    rows[0].Hex = "True";
    rows[3].Bits = "16";

    const std::vector<FieldSettingsRow> guessed = FieldSettingsRowsWithGuessedKinds(rows, *work);
    ASSERT_EQ(guessed.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"0", "ftInteger", "True", "auto"},
        {"1", "ftString", "False", "auto"},
        {"2", "ftFloat", "False", "auto"},
        {"3", "ftInteger", "False", "16"},
    };
    for (size_t i = 0; i < guessed.size(); ++i) {
        EXPECT_EQ((std::vector<std::string>{guessed[i].Name, guessed[i].Kind, guessed[i].Hex,
                                            guessed[i].Bits}),
                  expected[i]);
    }

    // A dialog showing fewer rows than the file has fields keeps its rows.
    rows.resize(2);
    EXPECT_EQ(FieldSettingsRowsWithGuessedKinds(rows, *work).size(), 2u);
}

TEST_F(FieldSettingsFillTest, GuessSaysWhichKindsItChangedOrThatNoneChanged) {
    Open(SpellSample());
    const std::vector<FieldSettingsRow> rows = FieldSettingsRows(work->Table, work->Defs);
    const std::vector<FieldSettingsRow> guessed = FieldSettingsRowsWithGuessedKinds(rows, *work);

    EXPECT_EQ(GuessedKindsText(rows, guessed),
              "Guess changed 2 kinds: '1: ftString', '2: ftFloat'. OK takes them over.");
    EXPECT_EQ(GuessedKindsText(guessed, guessed),
              "Guess: the data fits the kinds as they are; nothing changed.");
}

TEST_F(FieldSettingsFillTest, GuessNeedsATableLoadedFromAFile) {
    try {
        FieldSettingsRowsWithGuessedKinds({}, *work);
        FAIL() << "guessed without a table";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find("Open a table from a file first"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace kelvane::testing

#include "app/FieldSettings.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/definitions/FieldDefFile.h"
#include "core/workspace/Workspace.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// A Spell table of three fields whose definitions are on disk and in the workspace.
class FieldSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        work->Current.FilePath = dir.File("Spell.dbc");
        work->Current.TableName = "Spell";
        WriteFieldDefs(work->Current.FilePath, {{"ID", FieldKind::ftInteger, true},
                                                {"Name", FieldKind::ftString},
                                                {"Speed", FieldKind::ftFloat}});
        LoadFieldDefinitions(work->Current, work->Defs, 3);
        RecordTable& table = work->Table;
        table.AddFieldDef("Index", FieldKind::ftInteger, true);
        for (int field = 0; field < 3; ++field) {
            const FieldDef& def = work->Defs[field];
            table.AddFieldDef(def.Name, def.Kind, false);
        }
        table.OpenEmpty();
    }

    std::string IniText() const { return dir.Read("Spell.ini"); }

    // What OK and the command after it do with the rows.
    void TakeOver(const std::vector<FieldSettingsRow>& rows) {
        TakeOverFieldDefs(*work, FieldDefsOfRows(rows, recordProgress));
    }

    // The definitions as the next load would read them from the file.
    std::unique_ptr<FieldDefList> ReadBack(int count) const {
        auto defs = std::make_unique<FieldDefList>();
        LoadFieldDefinitions(work->Current, *defs, count);
        return defs;
    }

    TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
    std::vector<int> progress;
    std::function<void(int)> recordProgress = [this](int row) { progress.push_back(row); };
};

TEST_F(FieldSettingsTest, RowsShowEveryFieldButIndex) {
    const std::vector<FieldSettingsRow> rows = FieldSettingsRows(work->Table, work->Defs);

    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::vector<std::string>> expected = {
        {"0", "ID", "ftInteger", "True", "auto"},
        {"1", "Name", "ftString", "False", "auto"},
        {"2", "Speed", "ftFloat", "False", "auto"}};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ((std::vector<std::string>{rows[i].Index, rows[i].Name, rows[i].Kind, rows[i].Hex,
                                            rows[i].Bits}),
                  expected[i]);
    }
}

TEST_F(FieldSettingsTest, AClosedTableHasNoRows) {
    work->Table.Close();
    EXPECT_TRUE(FieldSettingsRows(work->Table, work->Defs).empty());
}

TEST(ReadBooleanCell, AcceptsTrueFalseInAnyCaseAndNumbers) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"True", true}, {"tRUE", true}, {"FALSE", false}, {"false", false}, {"0", false},
        {"1", true},    {"-7", true},   {"0.5", true},    {" 0 ", false},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadBooleanCell(text), value) << text;
    }
}

TEST(ReadBooleanCell, RejectsOtherTextsNamingThem) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"yes", "yes"},
        {"", ""},
        {"Truth", "Truth"},
        {"1F", "1F"},
        {"True\nFalse\x1b[2J", "True\\nFalse\\x1b[2J"},
        {std::string(1000, 't'), std::string(80, 't') + "..."},
    };
    for (const auto& [text, quoted] : cases) {
        try {
            ReadBooleanCell(text);
            ADD_FAILURE() << "'" << text << "' was read as a boolean";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + quoted + "' is not a valid boolean value");
        }
    }
}

TEST_F(FieldSettingsTest, OkOnUnchangedRowsRewritesTheSameFile) {
    const std::string before = IniText();
    TakeOver(FieldSettingsRows(work->Table, work->Defs));

    EXPECT_EQ(IniText(), before);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 3);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
}

TEST_F(FieldSettingsTest, RowsBecomeDefinitionsByKindRules) {
    const std::vector<FieldSettingsRow> rows = {
        {"7", "Id", "ftInteger", "tRuE", "32"},  // the Index cell is not used
        {"1", "Title", "ftString", "True", "auto"},
        {"2", "Rate", "ftFloat", "True", ""},
        {"3", "Flags", "ftInteger", "1", " 8"},
    };
    TakeOver(rows);

    const FieldDefList& defs = work->Defs;
    EXPECT_EQ(defs[0].Number, 0);
    EXPECT_EQ(defs[0].Name, "Id");
    EXPECT_TRUE(defs[0].Hex);
    EXPECT_EQ(defs[1].Kind, FieldKind::ftString);
    EXPECT_FALSE(defs[1].Hex);
    EXPECT_EQ(defs[2].Kind, FieldKind::ftFloat);
    EXPECT_TRUE(defs[2].Hex);
    EXPECT_EQ(defs[3].Number, 3);
    EXPECT_EQ(defs[3].KindText, "ftInteger");
    EXPECT_EQ(defs[3].Kind, FieldKind::ftInteger);
    EXPECT_TRUE(defs[3].Hex);
    EXPECT_EQ(defs[0].Bits, 32);
    EXPECT_EQ(defs[1].Bits, 0);
    EXPECT_EQ(defs[2].Bits, 0);
    EXPECT_EQ(defs[3].Bits, 8);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 4);

    // The file holds the flags as taken over; reading it back applies its own rules.
    EXPECT_NE(IniText().find("Field 2=1"), std::string::npos);
    const auto readBack = ReadBack(4);
    EXPECT_EQ((*readBack)[3].Name, "Flags");
    EXPECT_FALSE((*readBack)[2].Hex);
    EXPECT_TRUE((*readBack)[3].Hex);
    EXPECT_EQ((*readBack)[1].Bits, 32);  // once a field has a size, all of them have
    EXPECT_EQ((*readBack)[3].Bits, 8);
}

TEST(ReadFieldSizeCell, TakesTheThreeSizesOrAutoAndRefusesTheRest) {
    for (const auto& [text, bits] : std::vector<std::pair<std::string, int>>{
             {"8", 8}, {"16", 16}, {" 32 ", 32}, {"auto", 0}, {"AUTO", 0}, {"", 0}}) {
        EXPECT_EQ(ReadFieldSizeCell(text), bits) << text;
    }
    for (const std::string text : {"12", "64", "0", "byte"}) {
        EXPECT_THROW(ReadFieldSizeCell(text), KelvaneError) << text;
    }
}

// Every row is read before any is taken: a row that cannot be used is named, and the
// definitions and their file stay as they were.
TEST_F(FieldSettingsTest, ARowThatCannotBeUsedTakesNothingOverAndWritesNothing) {
    const struct {
        FieldSettingsRow Row;
        std::string Message;
    } cases[] = {
        {{"1", "NewName", "ftInteger", "maybe", "auto"},
         "Field 1: 'maybe' is not a valid boolean value. Nothing was taken over."},
        {{"1", "NewName", "banana", "False", "auto"},
         "Field 1: 'banana' is not a field kind: choose ftInteger, ftFloat or ftString. Nothing "
         "was taken over."},
        {{"1", "NewName", "ftinteger", "False", "auto"},
         "Field 1: 'ftinteger' is not a field kind"},
        {{"1", "NewName", "ftString", "False", "12"}, "Field 1: '12' is not a field size"},
        // A line break typed or pasted into a cell would write key lines of its own.
        {{"1", "New\nField 0=Injected", "ftString", "False", "auto"},
         "Field 1: the name of field 1, 'New\\nField 0=Injected', holds a control character (a "
         "line break, a tab or the like), which a field-definition file cannot keep"},
        {{"1", "NewName", "ftString\r\n[Field hex]", "False", "auto"},
         "Field 1: 'ftString\\r\\n[Field hex]' is not a field kind"},
    };
    const std::string before = IniText();
    for (const auto& c : cases) {
        progress.clear();
        const std::vector<FieldSettingsRow> rows = {
            {"0", "NewId", "ftInteger", "False", "auto"},
            c.Row,
            {"2", "NewSpeed", "ftFloat", "False", "auto"},
        };
        try {
            TakeOver(rows);
            ADD_FAILURE() << "the row was taken: " << c.Message;
        } catch (const KelvaneError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.Message)) << error.what();
        }
        EXPECT_EQ(progress, (std::vector<int>{1, 2}));
        EXPECT_EQ(work->Defs[0].Name, "ID");
        EXPECT_EQ(work->Defs[1].Name, "Name");
        EXPECT_EQ(work->Current.ConfirmedFieldCount, 0);
        EXPECT_EQ(IniText(), before);
    }
}

TEST_F(FieldSettingsTest, AFileThatCannotBeWrittenTakesNothingOver) {
    work->Current.FilePath = dir.File("missing/Spell.dbc");
    const std::vector<FieldSettingsRow> rows = {{"0", "A", "ftInteger", "False", "auto"},
                                                {"1", "B", "ftInteger", "False", "auto"}};
    try {
        TakeOver(rows);
        FAIL() << "the write did not fail";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.File("missing/Spell.ini"));
    }
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    EXPECT_EQ(work->Defs[0].Name, "ID");
    EXPECT_EQ(work->Defs[1].Name, "Name");
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 0);
    EXPECT_FALSE(work->Table.NotificationsSuspended());
}

// A table never saved gets its field-definition file when it is saved as a file; until then
// there is no folder of its own to write one into.
TEST_F(FieldSettingsTest, ATableWithoutAFileTakesTheDefinitionsAndWritesNoFile) {
    const std::string before = IniText();
    work->Current.FilePath.clear();
    TakeOver({{"0", "A", "ftInteger", "False", "auto"}, {"1", "B", "ftString", "False", "auto"}});

    EXPECT_EQ(work->Defs[1].Name, "B");
    EXPECT_EQ(work->Defs[1].Kind, FieldKind::ftString);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 2);
    EXPECT_EQ(IniText(), before);
    EXPECT_FALSE(std::filesystem::exists("Spell.ini"));
}

// OK with no table open (after a cancelled Open) must not empty the definitions of the file
// the last table came from.
TEST_F(FieldSettingsTest, NoRowsLeaveTheFileAsItWas) {
    const std::string before = IniText();
    work->Table.Close();
    work->Current.ConfirmedFieldCount = 3;
    TakeOver(FieldSettingsRows(work->Table, work->Defs));
    EXPECT_EQ(IniText(), before);
    EXPECT_EQ(work->Current.ConfirmedFieldCount, 0);
}

}  // namespace
}  // namespace kelvane::testing

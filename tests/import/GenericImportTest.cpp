#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
#include "import/ImportNotices.h"
#include "import/ScriptImports.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/exchange/ListenerLog.h"
#include "tests/import/ImportTables.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::ImportText;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

class GenericImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(
            table,
            {{"Id"}, {"name", FieldKind::ftString}, {"quality"}, {"Speed", FieldKind::ftFloat}});
    }

    ImportReport Import(std::string text) {
        return ImportText(table, ScriptImport::Scp, std::move(text));
    }

    RecordTable table;
};

TEST_F(GenericImportTest, AppendsOneRecordPerSectionWithItsIdAndColumns) {
    const ImportReport report = Import(
        "[item 25]\r\n"
        "name=Sword\r\n"
        "Quality=3\r\n"  // keys find their columns whatever the letter case
        "[item 26]\r\n"
        "name=Axe of the North, heavy // old\r\n"
        "Speed=1.5\r\n");

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "25", "Sword", "3", "0"},
                                       {"1", "26", "Axe of the North, heavy // old", "0", "1.5"}}));
    EXPECT_EQ(report.RecordsAppended, 2);
    EXPECT_EQ(report.LinesPassedOver, 0);
}

TEST_F(GenericImportTest, ValuesAreConvertedByTheColumnsKind) {
    const struct {
        std::string Line;
        std::string Column;
        std::string Cell;
    } cases[] = {
        {"Quality=0A", "quality", "10"},
        {"Quality=$0A", "quality", "10"},
        {"Quality=0x0A", "quality", "0"},
        {"Quality=", "quality", "0"},
        {"Quality=12 // note", "quality", "12"},
        {"Speed=1.5", "Speed", "1.5"},
        {"Speed=fast", "Speed", "-1"},
        {"Speed=", "Speed", "-1"},
        {"name=", "name", ""},
        {"name= two  words ", "name", " two  words"},
        {"name=" + std::string(70000, 'a'), "name", std::string(70000, 'a')},
        {"Id=99", "Id", "99"},  // a key may overwrite the section id
        {"INDEX=7", "Index", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        table.DeleteAllRecords();
        Import("[item 5]\n" + c.Line + "\n");
        ASSERT_EQ(table.RecordCount(), 1);
        EXPECT_EQ(testing::Cell(table, 0, c.Column), c.Cell);
    }
}

TEST_F(GenericImportTest, AFailingLineIsPassedOverAndTheRecordKept) {
    const ImportReport report = Import(
        "[item 1]\n"
        "quality=2\n"
        "Name = Sword\n"  // the key 'Name ' names no column
        "weight=5\n"
        "name=Shield\n"
        "quality=3\n");  // a later line with the same key wins

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "Shield", "3", "0"}}));
    EXPECT_EQ(report.LinesPassedOver, 2);
    EXPECT_EQ(report.ValuesReplaced, 1);  // a passed-over line replaces nothing
}

// Every importer: a key line counts as replacing when an earlier line with its key (any letter
// case) had set a value in the same section, unless the key's lines add up.
TEST(ReplacedValues, AreCountedWhereALaterLineOfASectionWins) {
    using testing::ColumnSpec;
    constexpr FieldKind kFloat = FieldKind::ftFloat;
    constexpr FieldKind kString = FieldKind::ftString;
    const struct {
        ScriptImport Kind;
        std::vector<ColumnSpec> Columns;
        std::string Script;
        int Replaced;
        std::vector<std::string> Keys;
    } cases[] = {
        {ScriptImport::Scp,
         {{"Id"}, {"name", kString}, {"quality"}},
         "[item 1]\nname=a\nquality=2\nName=b\nquality=3\nquality=4\nbad=1\nbad=2\n"
         "Name = x\n[item 2]\nname=c\nquality=1\n",
         3,
         {"Name", "quality"}},
        {ScriptImport::Scp,
         {{"Id"}, {"loot"}, {"sell"}},
         "[npc 1]\nloot=1\nloot=2\nsell=3\nloot=4\nsell=5\n[npc 2]\nloot=6\n",
         3,
         {"loot", "sell"}},
        {ScriptImport::Quests,
         {{"entry"},
          {"reward_item_1"},
          {"reward_item_1_amount"},
          {"reward_item_2"},
          {"reward_item_2_amount"},
          {"ma", kFloat},
          {"mx", kFloat},
          {"my", kFloat},
          {"mz", kFloat}},
         "[quest 1]\nRewardItem=5,1\nRewardItem=6,2\nLocation=1,2,3,4\nLocation=5,6,7,8\n",
         1,
         {"Location"}},
        {ScriptImport::ItemPages,
         {{"ID"}, {"PageText", kString}, {"NextPage"}},
         "[page 1]\nLine=a\nLine=b\nNextPage=2\nnextpage=3\n",
         1,
         {"nextpage"}},
        {ScriptImport::WorldSave,
         {{"ENTRY"}, {"TYPE"}, {"X", kFloat}, {"Y", kFloat}, {"Z", kFloat}, {"R", kFloat}},
         "[obj 1]\nTYPE=3\nXYZ=1 2 3 4\nXYZ=5 6 7 8\nENTRY=1\n",
         1,
         {"XYZ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script);
        RecordTable table;
        BuildTable(table, c.Columns);
        const ImportReport report = ImportText(table, c.Kind, c.Script);
        EXPECT_EQ(report.ValuesReplaced, c.Replaced);
        EXPECT_EQ(report.ReplacedKeys, c.Keys);
    }
}

TEST(ImportNotices, SayWhatWasReplacedAndWhereANulEndedTheScript) {
    ImportReport report;
    EXPECT_TRUE(ImportNotices(report).empty());
    report.ValuesReplaced = 1;
    report.ReplacedKeys = {"loot"};
    EXPECT_EQ(ImportNotices(report),
              std::vector<std::string>{
                  "1 key line replaced the value that an earlier line with the same key had set "
                  "in its section; the last value was kept (key 'loot')."});
    report.ValuesReplaced = 99364;
    report.ReplacedKeys = {"loot", "sell", "text", "a\tb", "x"};
    report.NulCut = ScriptNulCut{12, 4096};
    EXPECT_EQ(ImportNotices(report),
              (std::vector<std::string>{
                  "99364 key lines replaced the value that an earlier line with the same key had "
                  "set in their section; the last value was kept (first keys 'loot', 'sell', "
                  "'text', 'a\\tb', 'x').",
                  "The script ends at a NUL byte on line 12; the 4096 bytes from there to the end "
                  "of the file were not read."}));
}

TEST_F(GenericImportTest, ANulByteEndsTheScriptAndTheReportSaysWhere) {
    using namespace std::string_literals;
    const ImportReport report = Import("[item 1]\nname=a\n[item 2]\0name=b\n[item 3]\nname=c\n"s);

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "a", "0", "0"}, {"1", "2", "", "0", "0"}}));
    EXPECT_EQ(report.RecordsAppended, 2);
    EXPECT_EQ(report.NulCut, (ScriptNulCut{3, 24}));
}

TEST_F(GenericImportTest, ARecordWhoseIdTheColumnCannotTakeIsCancelled) {
    const ImportReport report = Import(
        "[item 1]\nname=a\n"
        "[item 25x]\nname=b\n"
        "[item 3\nname=c\n"  // no "]": no id, no record
        "[item 4]\nname=d\n");

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "a", "0", "0"}, {"1", "4", "d", "0", "0"}}));
    EXPECT_EQ(report.RecordsAppended, 2);
    EXPECT_EQ(report.RecordsCancelled, 1);
    EXPECT_EQ(report.SectionsSkipped, 1);
}

TEST_F(GenericImportTest, RecordsAreAppendedAfterTheExistingOnes) {
    AddRecord(table, {"7", "old", "1", "2"});
    Import("[item 7]\nname=new\n[item 7]\n");

    EXPECT_EQ(
        TableTexts(table),
        (Rows{{"0", "7", "old", "1", "2"}, {"1", "7", "new", "0", "0"}, {"2", "7", "", "0", "0"}}));
}

TEST_F(GenericImportTest, AnEmptyIdLeavesTheFirstColumnBlank) {
    Import("[item] 12\nname=x\n[item   ]\nname=y\n");

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "", "x", "0", "0"}, {"1", "", "y", "0", "0"}}));
}

TEST(GenericImport, ATableWithoutFieldColumnsOrClosedTakesNothing) {
    RecordTable onlyIndex;
    BuildTable(onlyIndex, {});
    RecordTable closed;
    for (RecordTable* table : {&onlyIndex, &closed}) {
        const ImportReport report =
            ImportText(*table, ScriptImport::Scp, "[item 1]\nIndex=5\n[item 2]\n");
        EXPECT_EQ(table->RecordCount(), 0);
        EXPECT_EQ(report.RecordsAppended, 0);
        EXPECT_EQ(report.RecordsCancelled, 2);
        EXPECT_EQ(table->State(), TableState::Browse);
    }
}

TEST_F(GenericImportTest, TheGridCatchesUpOnceAfterTheRun) {
    testing::ListenerLog log;
    table.AddListener(&log);
    Import("[item 1]\nname=a\n[item 2x]\n[item 3]\nbad=1\n");
    table.RemoveListener(&log);

    EXPECT_EQ(log.AllButResets(), 0);
    EXPECT_EQ(log.Resets, 1);
    EXPECT_FALSE(table.NotificationsSuspended());
    EXPECT_EQ(table.RecordCount(), 2);
}

TEST_F(GenericImportTest, AnUnreadableFileEndsTheRunBeforeAnythingChanges) {
    const testing::TempDir folder;
    const std::string missing = folder.File("missing.scp");
    try {
        ImportScriptFile(table, ScriptImport::Scp, missing);
        FAIL() << "a missing file was imported";
    } catch (const KelvaneError& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot open file \"" + missing + "\""));
    }
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_FALSE(table.NotificationsSuspended());
}

TEST_F(GenericImportTest, ImportsAFile) {
    const testing::TempDir folder;
    folder.Write("items.scp", "[item 3]\r\nname=Bow\r\n");

    const ImportReport report =
        ImportScriptFile(table, ScriptImport::Scp, folder.File("items.scp"));

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "3", "Bow", "0", "0"}}));
    EXPECT_EQ(report.RecordsAppended, 1);
}

TEST(ScriptDialogs, EachImportProposesItsFile) {
    const struct {
        ScriptImport Kind;
        std::string_view FileName;
        std::string_view Pattern;
    } cases[] = {
        {ScriptImport::Scp, "", "*.scp"},
        {ScriptImport::WorldSave, "world.save", "*.save"},
        {ScriptImport::Quests, "quests.tt", "*.tt"},
        {ScriptImport::ItemPages, "itempages.tt", "*.tt"},
    };
    for (const auto& c : cases) {
        const ScriptDialogPreset preset = DialogPresetFor(c.Kind);
        EXPECT_EQ(preset.FileName, c.FileName);
        EXPECT_EQ(preset.Pattern, c.Pattern);
    }
}

}  // namespace
}  // namespace kelvane

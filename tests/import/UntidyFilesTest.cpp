// Script files as they come from a running server: mixed line ends, remarks, odd letter case,
// repeated keys, empty values, Windows-1252 text and include lines, all taken without failing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/RecordTable.h"
#include "import/LootTemplates.h"
#include "import/ScriptImports.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/import/ImportTables.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::BuildTable;
using testing::ImportText;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

TEST(UntidyFiles, TheGenericImportTakesThemAsTheRulesSay) {
    RecordTable table;
    BuildTable(table, {{"Id"}, {"name", FieldKind::ftString}, {"quality"}, {"class"}});

    const ImportReport report = ImportText(table, ScriptImport::Scp,
                                           "#include items2.scp\r\n"
                                           "// items of the first zone\r\n"
                                           "[ITEM 25] // Worn Sword\r\n"
                                           "name=Worn Sword // starter\r\n"
                                           "quality=1\n"
                                           "quality=2 // repeated: the last one wins\r\n"
                                           "class=\r\n"
                                           "unknownkey=5\r\n"
                                           "\r\n"
                                           "[Item 26]\r"
                                           "name=Cr\xE8me Br\xFBl\xE9\x65\r"
                                           "#include more.scp\r"
                                           "[item 27]\n"
                                           "name=\n"
                                           "quality=3");

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "25", "Worn Sword // starter", "2", "0"},
                                       {"1", "26", "Cr\xE8me Br\xFBl\xE9\x65", "0", "0"},
                                       {"2", "27", "", "3", "0"}}));
    EXPECT_EQ(report.LinesPassedOver, 1);  // unknownkey
}

TEST(UntidyFiles, QuestListsWithBlanksAfterCommasAndRemarks) {
    RecordTable table;
    BuildTable(table, {{"entry"},
                       {"Title", FieldKind::ftString},
                       {"reward_item_1"},
                       {"reward_item_1_amount"},
                       {"reward_item_2"},
                       {"reward_item_2_amount"},
                       {"Complexity"}});

    ImportText(table, ScriptImport::Quests,
               "[QUEST 7] // The Lost Dwarves\r\n"
               "Title=The Lost Dwarves\r\n"
               "RewardItem=2589, 5\r\n"
               "RewardItem=2592,1 // second\r\n"
               "Complexity=\r\n"
               "#include quests2.tt");

    EXPECT_EQ(TableTexts(table),
              (Rows{{"0", "7", "The Lost Dwarves", "2589", "5", "2592", "0", "0"}}));
}

TEST(UntidyFiles, WorldSaveAndItemPagesWithoutAFinalLineEnd) {
    RecordTable world;
    BuildTable(world, {{"Entry"},
                       {"X", FieldKind::ftFloat},
                       {"Y", FieldKind::ftFloat},
                       {"Z", FieldKind::ftFloat},
                       {"R", FieldKind::ftFloat}});
    ImportText(world, ScriptImport::WorldSave,
               "// saved by the server\r\n[Creature 1]\r\nENTRY=5\r\nXYZ=1 2 3 4 // pos\r\n"
               "[creature 2]\nENTRY=6\nTYPE=3");
    EXPECT_EQ(TableTexts(world), (Rows{{"0", "6", "0", "0", "0", "0"}}));

    RecordTable pages;
    BuildTable(pages, {{"ID"}, {"PageText", FieldKind::ftString}});
    ImportText(pages, ScriptImport::ItemPages,
               "[PAGE 3] // letter\r\nLine=Dear friend,\r\nLine=\r\nLine=come \xE0 once.");
    EXPECT_EQ(TableTexts(pages), (Rows{{"0", "3", "Dear friend,\r\n\r\ncome \xE0 once."}}));
}

TEST(UntidyFiles, LootTemplatesWithRemarksOnHeadersAndLines) {
    const testing::TempDir folder;
    folder.Write("loot.scp",
                 "#include loot2.scp\r\n"
                 "[loottemplate 42] // Copper Vein\r\n"
                 "// ore first\r\n"
                 "loot=2770 80\r\n"
                 "loot=2770 80 // twice, with a remark\n"
                 "loot=\r\n"
                 "[LootTemplate 43]\r"
                 "loot=774 5.5");

    const LootImportReport report = ImportLootTemplates(folder.File("loot.scp"));

    EXPECT_EQ(folder.Read("loottemplates/loott42.dbc"), testing::DbcBytes()
                                                            .Header(3, 2, 8, 0)
                                                            .Int(2770)
                                                            .Float(80)
                                                            .Int(2770)
                                                            .Float(-1)
                                                            .Int(0)
                                                            .Float(-1)
                                                            .Bytes());
    EXPECT_EQ(folder.Read("loottemplates/loott43.dbc"),
              testing::DbcBytes().Header(1, 2, 8, 0).Int(774).Float(5.5f).Bytes());
    EXPECT_EQ(report.FilesWritten, 2);
}

}  // namespace
}  // namespace kelvane

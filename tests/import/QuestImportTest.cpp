#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/RecordTable.h"
#include "import/QuestWords.h"
#include "import/ScriptImports.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/import/ImportTables.h"

namespace kelvane {
namespace {

using testing::BuildTable;
using testing::ColumnSpec;
using testing::ImportText;

struct CellValue {
    std::string Column;
    std::string Text;
};

// A quest table with two numbered pairs of every list, the location and the word columns.
std::vector<ColumnSpec> QuestColumns() {
    std::vector<ColumnSpec> columns = {{"entry"}, {"Title", FieldKind::ftString}};
    for (const std::string n : {"1", "2"}) {
        for (const std::string& name :
             {"faction_" + n, "faction_min_req_" + n, "reward_item_" + n,
              "reward_item_" + n + "_amount", "reward_choice_" + n,
              "reward_choice_" + n + "_amount", "deliver_" + n, "deliver_" + n + "_amount",
              "NpcObj_" + n, "NpcObj_" + n + "_amount"}) {
            columns.push_back({name});
        }
    }
    for (const char* name : {"ma", "mx", "my", "mz"}) {
        columns.push_back({name, FieldKind::ftFloat});
    }
    for (const char* name :
         {"Complexity", "RequiresRace", "RequiresClass", "QuestBehavior", "RequiresTradeSkill"}) {
        columns.push_back({name});
    }
    return columns;
}

class QuestImportTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildTable(table, QuestColumns()); }

    ImportReport Import(const std::string& text) {
        return ImportText(table, ScriptImport::Quests, text);
    }

    void ExpectCells(int row, const std::vector<CellValue>& cells) const {
        for (const CellValue& cell : cells) {
            EXPECT_EQ(testing::Cell(table, row, cell.Column), cell.Text) << cell.Column;
        }
    }

    RecordTable table;
};

TEST_F(QuestImportTest, ListLinesFillNumberedColumnsAndRestartInEveryQuest) {
    Import(
        "[quest 783]\n"
        "RewardItem=2589,5\n"
        "RewardItem=2592, 1\n"
        "RewardItemChoice=6070,1\n"
        "ReputationObjective=72,3000\n"
        "ReputationObjective=72\n"
        "DeliverObjective=745,10\n"
        "KillObjective{MOB}=299,8\n"
        "KillObjective{OBJ}=1234,1\n"
        "[Quest 784]\n"
        "RewardItem=17,2\n");

    ExpectCells(0, {{"entry", "783"},
                    {"reward_item_1", "2589"},
                    {"reward_item_1_amount", "5"},
                    {"reward_item_2", "2592"},
                    {"reward_item_2_amount", "1"},
                    {"reward_choice_1", "6070"},
                    {"reward_choice_1_amount", "1"},
                    {"reward_choice_2", "0"},
                    {"faction_1", "72"},
                    {"faction_min_req_1", "3000"},
                    {"faction_2", "72"},
                    {"faction_min_req_2", "0"},
                    {"deliver_1", "745"},
                    {"deliver_1_amount", "10"},
                    {"NpcObj_1", "299"},
                    {"NpcObj_1_amount", "8"},
                    {"NpcObj_2", std::to_string(static_cast<int32_t>(0x80000000u | 1234))},
                    {"NpcObj_2_amount", "1"}});
    ExpectCells(1, {{"entry", "784"},
                    {"reward_item_1", "17"},
                    {"reward_item_1_amount", "2"},
                    {"reward_item_2", "0"}});
}

TEST_F(QuestImportTest, PairsReadAsTheReaderSays) {
    const struct {
        std::string Line;
        std::string Item;
        std::string Amount;
    } cases[] = {
        {"RewardItem=2589", "2589", "0"},
        {"RewardItem=abc,5", "0", "0"},
        {"RewardItem=010, 010", "16", "10"},
        {"RewardItem=2589,5 // rare", "2589", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        table.DeleteAllRecords();
        Import("[quest 1]\n" + c.Line + "\n");
        ExpectCells(0, {{"reward_item_1", c.Item}, {"reward_item_1_amount", c.Amount}});
    }
}

TEST(QuestImport, AMissingNumberedColumnKeepsTheCount) {
    RecordTable table;
    BuildTable(table, {{"entry"}, {"reward_item_1"}, {"reward_item_2"}, {"NpcObj_1"}});

    const ImportReport report = ImportText(table, ScriptImport::Quests,
                                           "[quest 1]\n"
                                           "RewardItem=10,1\n"
                                           "RewardItem=20,1\n"
                                           "KillObjective{MOB}=30,1\n");

    // Both lines aim at reward_item_1, as the missing amount column stops each before the count.
    EXPECT_EQ(testing::Cell(table, 0, "reward_item_1"), "20");
    EXPECT_EQ(testing::Cell(table, 0, "reward_item_2"), "0");
    EXPECT_EQ(testing::Cell(table, 0, "NpcObj_1"), "30");
    EXPECT_EQ(report.LinesPassedOver, 3);
}

TEST_F(QuestImportTest, LocationFillsFourFloatsUnlessItSaysNone) {
    Import(
        "[quest 1]\nLocation=0, -8913.2, 554.6, 93.1\n"
        "[quest 2]\nLocation=None\n"
        "[quest 3]\nLocation=1, 2.5, -3, 4 // x\n"
        "[quest 4]\nLocation=1, 2 // None\n");

    const std::vector<std::vector<float>> expected = {
        {0, -8913.2f, 554.6f, 93.1f}, {0, 0, 0, 0}, {1, 2.5f, -3, 4}, {0, 0, 0, 0}};
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        std::vector<float> values;
        for (const char* column : {"ma", "mx", "my", "mz"}) {
            values.push_back(testing::FloatCell(table, row, column));
        }
        EXPECT_EQ(values, expected[static_cast<size_t>(row)]);
    }
}

TEST_F(QuestImportTest, WordKeysBecomeNumbersAndMasks) {
    const struct {
        std::string Line;
        std::string Column;
        std::string Cell;
    } cases[] = {
        {"Complexity=Elite", "Complexity", "1"},
        {"Complexity=Raid", "Complexity", "62"},
        {"Complexity=81", "Complexity", "81"},
        {"Complexity=elite", "Complexity", "0"},
        {"Complexity= Elite", "Complexity", "0"},
        {"Complexity=Elite // hard", "Complexity", "0"},
        {"RequiresRace=Human Dwarf", "RequiresRace", "5"},
        {"RequiresRace=None", "RequiresRace", "511"},
        {"RequiresRace=NotHuman", "RequiresRace", "1"},
        {"RequiresRace=human", "RequiresRace", "0"},
        {"RequiresRace=", "RequiresRace", "0"},
        {"RequiresRace=Troll,NightElf,Orc", "RequiresRace", "138"},
        {"RequiresClass=Priest, Mage", "RequiresClass", "80"},
        {"RequiresClass=Druid", "RequiresClass", "512"},
        {"RequiresClass=None", "RequiresClass", "1535"},
        {"RequiresClass=Nobody", "RequiresClass", "0"},
        {"QuestBehavior=Kill Repeatable", "QuestBehavior", "24"},
        {"QuestBehavior=None Kill", "QuestBehavior", "0"},
        {"QuestBehavior=SpeakTo|Timed", "QuestBehavior", "65"},
        {"RequiresTradeSkill=Tailoring", "RequiresTradeSkill", "197"},
        {"RequiresTradeSkill=TwoHandedSwords", "RequiresTradeSkill", "55"},
        {"RequiresTradeSkill=Swords", "RequiresTradeSkill", "43"},
        {"RequiresTradeSkill=Holy", "RequiresTradeSkill", "594"},
        {"RequiresTradeSkill=Cooking 75", "RequiresTradeSkill", "185"},
        {"RequiresTradeSkill=tailoring", "RequiresTradeSkill", "0"},
        {"RequiresTradeSkill=None", "RequiresTradeSkill", "0"},
        {"RequiresTradeSkill=PlateMail", "RequiresTradeSkill", "293"},
        {"RequiresTradeSkill=Mail", "RequiresTradeSkill", "413"},
        {"Title=The Lost Dwarves", "Title", "The Lost Dwarves"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        table.DeleteAllRecords();
        Import("[quest 1]\n" + c.Line + "\n");
        ExpectCells(0, {{c.Column, c.Cell}});
    }
}

TEST(QuestWords, EveryTradeSkillIsFoundByItsOwnName) {
    // Each listed name alone must give its own number, which holds only when every name that
    // contains another listed name is tried before it.
    const struct {
        std::string_view Name;
        int32_t Number;
    } skills[] = {
        {"Balance", 574},
        {"Fury", 256},
        {"Lockpicking", 633},
        {"PetWindSerpent", 656},
        {"LanguageGutterspeak", 673},
        {"TwoHandedMaces", 160},
        {"Maces", 54},
        {"TwoHandedAxes", 172},
        {"Axes", 44},
        {"LanguageTroll", 315},
        {"RacialTroll", 733},
        {"OrcRacial", 125},
        {"Leatherworking", 165},
        {"Leather", 414},
        {"ElementalCombat", 375},
        {"FeralCombat", 134},
        {"Combat", 38},
        {"Frost", 6},
        {"Fire", 8},
        {"PetBat", 653},
        {"Unarmed", 162},
        {"FirstAid", 129},
        {"BeastTraining", 261},
        {"BeastMastery", 50},
    };
    for (const auto& skill : skills) {
        EXPECT_EQ(QuestWordNumber("RequiresTradeSkill", skill.Name), skill.Number) << skill.Name;
    }
    EXPECT_EQ(QuestWordNumber("Title", "Holy"), std::nullopt);
}

}  // namespace
}  // namespace kelvane

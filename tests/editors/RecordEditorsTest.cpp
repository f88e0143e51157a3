#include <gtest/gtest.h>

#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "editors/CreatureRecord.h"
#include "editors/PickList.h"
#include "editors/QuestRecord.h"
#include "tests/support/EditorTables.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

std::string Cell(RecordTable& table, const char* column) {
    return table.FieldByName(column).AsString();
}

std::vector<std::string> ColumnsOf(const std::vector<ColumnAssignment>& assignments) {
    std::vector<std::string> columns;
    for (const ColumnAssignment& assignment : assignments) {
        columns.push_back(assignment.Column);
    }
    return columns;
}

TEST(PickList, LeadingNumbersAndIds) {
    EXPECT_EQ(LeadingNumber("11 - Raptor"), "11");
    EXPECT_EQ(LeadingNumber("33 Gossip + Healer"), "33");
    EXPECT_EQ(LeadingNumber("Raptor"), "");
    EXPECT_EQ(LeadingNumber(CreatureFamilies[9]), "11");

    TempDir dir;
    dir.Write("models.txt", "11=Raptor\r\n\r\nno equals here\r\n 12 =Bear=Brown\n");
    const PickList models = ReadPickListFile(dir.File("models.txt"));
    EXPECT_EQ(models.Entries, (std::vector<std::string>{"11=Raptor", " 12 =Bear=Brown"}));
    EXPECT_EQ(models.Ids, (std::vector<std::string>{"11", "12"}));
    EXPECT_EQ(models.IdAt(1), "12");
    EXPECT_EQ(models.IdAt(-1), "");
    EXPECT_EQ(models.IdAt(2), "");
    EXPECT_TRUE(ReadPickListFile(dir.File("factions.txt")).Entries.empty());
}

TEST(PickList, FindNextSearchesAfterTheEqualsSignWithoutCase) {
    const std::vector<std::string> entries{
        "1=Wolf", "2=Raptor",           "3=Bear",  "4=Raptor Lord", "5=Crab",
        "6=Boar", "7=Raptor Hatchling", "8Raptor", "=Cat"};
    struct Case {
        int Selected;
        const char* Text;
        SearchDirection Direction;
        std::optional<int> Found;
    };
    const auto F = SearchDirection::Forward;
    const auto B = SearchDirection::Backward;
    const Case cases[] = {
        {-1, "raptor", F, 1},
        {1, "RAPTOR", F, 3},
        {3, "raptor", F, 6},
        {6, "aptor", F, 7},         // no "=": the entry without its first character
        {6, "8", F, std::nullopt},  // ... so its first character is not searched
        {7, "raptor", F, std::nullopt},
        {-1, "1", F, std::nullopt},  // ids before "=" are not searched
        {-1, "", F, std::nullopt},
        {8, "cat", B, std::nullopt},  // searching backward never reaches the entry itself
        {7, "raptor", B, 6},
        {5, "wolf", B, std::nullopt},  // 4, 3 and 2 only
        {5, "raptor", B, 3},
        {4, "bear", B, 2},
        {3, "wolf", B, std::nullopt},  // 2 only
        {2, "raptor", B, 1},           // position 1 is looked at when it is the first one examined
        {1, "wolf", B, 0},
        {0, "wolf", B, std::nullopt},
        {-1, "wolf", B, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNextEntry(entries, c.Selected, c.Text, c.Direction), c.Found)
            << c.Selected << " '" << c.Text << "' " << (c.Direction == F ? "forward" : "backward");
    }
}

TEST(CreatureEditor, AFreshFormWritesEmptyTextsAndZerosAndLeavesListsAlone) {
    RecordTable table;
    BuildFilledTable(table, CreatureColumns(), 1);
    ApplyColumnAssignments(table, CreatureAssignments(CreatureForm{}, {}, {}));

    EXPECT_EQ(table.State(), TableState::Edit) << "not posted";
    EXPECT_TRUE(table.FieldByName("id").IsNull());
    EXPECT_EQ(Cell(table, "name"), "");
    EXPECT_TRUE(table.FieldByName("model").IsNull());
    EXPECT_TRUE(table.FieldByName("speed").IsNull());
    for (const char* zero : {"level", "maxhealth", "maxmana", "attack", "money"}) {
        EXPECT_EQ(Cell(table, zero), "0") << zero;
    }
    for (const char* kept : {"type", "elite", "family", "npcflags"}) {
        EXPECT_EQ(Cell(table, kept), "5") << kept;
    }
}

TEST(CreatureEditor, ApplyWritesEveryFieldInOrderWithListNumbers) {
    PickList models;
    models.Add("11=Raptor", "11");
    models.Add("12=Bear", "12");
    PickList factions;
    factions.Add("7=Horde", "7");
    CreatureForm form;
    form.Id = "448";
    form.Name = "Rat";
    form.Level = -3;
    form.Model = 1;
    form.Faction = 0;
    form.Type = 9;
    form.Elite = 0;
    form.Family = 9;
    form.Flags1 = "$10";
    form.Speed = "1.5";
    form.NpcFlags = 33;
    form.Damage = 99;

    const std::vector<ColumnAssignment> assignments = CreatureAssignments(form, models, factions);
    EXPECT_EQ(ColumnsOf(assignments),
              (std::vector<std::string>{
                  "id",           "name",          "level",        "model",   "faction",
                  "maxhealth",    "maxmana",       "type",         "elite",   "family",
                  "guild",        "attack",        "speed",        "size",    "flags1",
                  "selltemplate", "traintemplate", "loottemplate", "npctext", "bounding_radius",
                  "combat_reach", "money",         "equipmodel",   "npcflags"}));

    RecordTable table;
    BuildFilledTable(table, CreatureColumns(), 1);
    ApplyColumnAssignments(table, assignments);
    EXPECT_EQ(Cell(table, "id"), "448");
    EXPECT_EQ(Cell(table, "level"), "-3");
    EXPECT_EQ(Cell(table, "model"), "12");
    EXPECT_EQ(Cell(table, "faction"), "7");
    EXPECT_EQ(Cell(table, "type"), "10");
    EXPECT_EQ(Cell(table, "elite"), "0");
    EXPECT_EQ(Cell(table, "family"), "11") << "11 - Raptor writes its number, not its position";
    EXPECT_EQ(Cell(table, "flags1"), "16");
    EXPECT_EQ(Cell(table, "npcflags"), "33");
}

TEST(CreatureEditor, TypedNpcFlagsFollowTheColumnsTextRules) {
    CreatureForm form;
    form.FlagsInput = NpcFlagsInput::Type;
    form.NpcFlags = 4;  // the list is disabled and ignored
    form.NpcFlagsText = "$21";
    RecordTable table;
    BuildFilledTable(table, CreatureColumns(), 1);
    ApplyColumnAssignments(table, CreatureAssignments(form, {}, {}));
    EXPECT_EQ(Cell(table, "npcflags"), "33");
}

TEST(CreatureEditor, AFailureStopsWithTheColumnsBeforeItWritten) {
    CreatureForm form;
    form.Name = "Rat";
    form.Flags1 = "1A";
    RecordTable table;
    BuildFilledTable(table, CreatureColumns(), 1);
    try {
        ApplyColumnAssignments(table, CreatureAssignments(form, {}, {}));
        FAIL() << "expected the conversion failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'1A' is not a valid integer value for field 'flags1'");
    }
    EXPECT_EQ(Cell(table, "name"), "Rat");
    EXPECT_EQ(Cell(table, "selltemplate"), "5") << "columns after it are not written";

    RecordTable missing;
    std::vector<ColumnSpec> columns = CreatureColumns();
    columns.erase(columns.begin() + 4);  // faction
    BuildFilledTable(missing, columns, 1);
    form.Flags1.clear();
    try {
        ApplyColumnAssignments(missing, CreatureAssignments(form, {}, {}));
        FAIL() << "expected the missing column";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field 'faction' not found");
    }
    EXPECT_TRUE(missing.FieldByName("model").IsNull()) << "model came before it";

    RecordTable closed;
    EXPECT_THROW(ApplyColumnAssignments(closed, CreatureAssignments(form, {}, {})), KelvaneError);
}

TEST(QuestEditor, LoadDataListsEveryQuestAndApplyWritesThePickedId) {
    RecordTable table;
    BuildFilledTable(table, QuestColumns(), 2);
    table.First();
    table.Edit();
    table.FieldByName("id").SetAsInteger(10);
    table.FieldByName("name").SetAsString("Start");
    table.Next();
    table.Edit();
    table.FieldByName("id").SetAsInteger(11);
    table.FieldByName("name").SetAsString("Next step");
    table.First();

    QuestLinks links;
    AppendQuestLinks(table, links);
    EXPECT_EQ(links.Next.Entries, (std::vector<std::string>{"10 Start", "11 Next step"}));
    EXPECT_EQ(links.OpenedBy.Ids, (std::vector<std::string>{"10", "11"}));
    EXPECT_EQ(table.CurrentRow(), 1) << "the last record is current afterwards";
    EXPECT_FALSE(table.NotificationsSuspended());

    QuestForm form;
    form.Next = 1;
    form.Objectives = "Kill ten rats.\nReturn.";
    ApplyColumnAssignments(table, QuestAssignments(form, links));
    EXPECT_EQ(Cell(table, "nextstoryquest"), "11");
    EXPECT_TRUE(table.FieldByName("openedbyquest").IsNull());
    EXPECT_EQ(Cell(table, "details"), "DescDetails");
    EXPECT_EQ(Cell(table, "objectives"), "Kill ten rats.\r\nReturn.");
    EXPECT_EQ(Cell(table, "requireslevel"), "0");
    EXPECT_EQ(Cell(table, "id"), "") << "the form's empty ID is written too";

    AppendQuestLinks(table, links);
    EXPECT_EQ(links.Next.Entries.size(), 4u) << "LoadData twice lists every quest twice";
}

TEST(QuestEditor, LoadDataWithoutANameColumnKeepsTheLists) {
    RecordTable table;
    BuildFilledTable(table, {{"id"}, {"title", FieldKind::ftString}}, 1);
    QuestLinks links;
    links.Next.Add("1 Old", "1");
    links.OpenedBy.Add("1 Old", "1");
    try {
        AppendQuestLinks(table, links);
        FAIL() << "expected the missing column";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field 'name' not found");
    }
    EXPECT_EQ(links.Next.Entries.size(), 1u);
    EXPECT_EQ(links.OpenedBy.Ids.size(), 1u);
    EXPECT_FALSE(table.NotificationsSuspended());
}

TEST(QuestEditor, ApplyWritesInOrderAndLeavesQuestLevelOut) {
    QuestForm form;
    form.QuestLevel = 60;
    EXPECT_EQ(ColumnsOf(QuestAssignments(form, {})),
              (std::vector<std::string>{"name", "objectives", "details", "incompletetext",
                                        "completetext", "endtext", "id", "openedbyquest",
                                        "nextstoryquest", "requireslevel"}));
}

}  // namespace
}  // namespace kelvane::testing

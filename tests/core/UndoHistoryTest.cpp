#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/table/Field.h"
#include "core/table/NotificationSuspension.h"
#include "core/undo/UndoHistory.h"
#include "core/undo/UndoStep.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

using Texts = std::vector<std::vector<std::string>>;

// Index 0 to 3, count 10 to 13, speed 1.5 to 4.5, names a to d, a blank count in the last.
void BuildSample(RecordTable& table) {
    BuildTable(table, {{"count"}, {"speed", FieldKind::ftFloat}, {"name", FieldKind::ftString}});
    AddRecord(table, {"10", "1.5", "a"});
    AddRecord(table, {"11", "2.5", "b"});
    AddRecord(table, {"12", "3.5", "c"});
    AddRecord(table, {"", "4.5", "d"});
    table.First();
}

void EditRow(RecordTable& table, int row, int column, const std::string& text) {
    table.MoveTo(row);
    table.Edit();
    table.Fields(column).SetAsString(text);
    table.Post();
}

struct UndoCase {
    const char* Name;
    std::function<void(RecordTable&)> Command;
    const char* StepName;
};

std::string CaseName(const ::testing::TestParamInfo<UndoCase>& info) {
    return info.param.Name;
}

void PrintTo(const UndoCase& undoCase, std::ostream* out) {
    *out << undoCase.Name;
}

class UndoHistoryTest : public ::testing::Test {
  protected:
    // The history starts once the sample stands, as it does once a table is loaded.
    void SetUp() override {
        BuildSample(table);
        history.emplace(table);
    }
    RecordTable table;
    std::optional<UndoHistory> history;
};

class UndoHistoryCaseTest : public UndoHistoryTest,
                            public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoHistoryCaseTest, UndoRestoresTheTableAndRedoRepeatsTheCommand) {
    const Texts before = TableTexts(table);
    GetParam().Command(table);
    table.FinishEditing();
    const Texts after = TableTexts(table);
    ASSERT_NE(after, before);
    EXPECT_EQ(history->UndoName(), GetParam().StepName);
    EXPECT_TRUE(history->ChangedSinceSave());

    history->Undo();
    EXPECT_EQ(TableTexts(table), before);
    EXPECT_FALSE(history->ChangedSinceSave());
    EXPECT_EQ(history->RedoName(), GetParam().StepName);

    history->Redo();
    EXPECT_EQ(TableTexts(table), after);
    history->Undo();
    EXPECT_EQ(TableTexts(table), before);
    EXPECT_FALSE(history->CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfChange, UndoHistoryCaseTest,
    ::testing::Values(
        UndoCase{"EditCell", [](RecordTable& rt) { EditRow(rt, 1, 3, "renamed"); }, "Edit Cell"},
        UndoCase{"EditRecord",
                 [](RecordTable& rt) {
                     rt.MoveTo(2);
                     rt.Edit();
                     rt.Fields(1).Clear();
                     rt.Fields(2).SetAsFloat(-0.0);
                     rt.Post();
                 },
                 "Edit Record"},
        UndoCase{"IndexEditMovesTheRecord", [](RecordTable& rt) { EditRow(rt, 0, 0, "9"); },
                 "Edit Cell"},
        UndoCase{"InsertRecord",
                 [](RecordTable& rt) {
                     rt.MoveTo(1);
                     rt.Insert();
                     rt.Fields(0).SetAsInteger(1);
                     rt.Fields(3).SetAsString("new");
                     rt.Post();
                 },
                 "Insert Record"},
        UndoCase{"DeleteRecord",
                 [](RecordTable& rt) {
                     rt.MoveTo(1);
                     rt.Delete();
                 },
                 "Delete Record"},
        UndoCase{"EmptyTable", [](RecordTable& rt) { rt.DeleteAllRecords(); }, "Empty Table"},
        UndoCase{"CommandOverManyRecords",
                 [](RecordTable& rt) {
                     UndoStep step(rt, "Import Patch");
                     NotificationSuspension quiet(rt);
                     EditRow(rt, 0, 1, "100");
                     rt.MoveTo(2);
                     rt.Delete();
                     rt.Append();
                     rt.Fields(3).SetAsString("appended");
                     rt.Post();
                     EditRow(rt, 0, 0, "3");
                 },
                 "Import Patch"}),
    CaseName);

// Later steps name records by the identity they had; a record put back by an undo has a new
// one, and the steps before and after it must still find it.
TEST_F(UndoHistoryTest, StepsFindARecordPutBackUnderANewIdentity) {
    const Texts original = TableTexts(table);
    EditRow(table, 1, 3, "first");
    table.MoveTo(1);
    table.Delete();
    history->Undo();  // the record comes back
    EditRow(table, 1, 1, "55");
    const Texts edited = TableTexts(table);

    history->Undo();
    history->Undo();
    EXPECT_EQ(TableTexts(table), original);
    history->Redo();
    history->Redo();
    EXPECT_EQ(TableTexts(table), edited);
}

TEST_F(UndoHistoryTest, RedoAndDeleteAgainKeepFindingTheRecord) {
    EditRow(table, 2, 3, "x");
    table.MoveTo(2);
    table.Delete();
    const Texts deleted = TableTexts(table);
    for (int round = 0; round < 3; ++round) {
        history->Undo();
        history->Redo();
    }
    EXPECT_EQ(TableTexts(table), deleted);
    history->Undo();
    history->Undo();
    EXPECT_EQ(table.CellText(2, 3), "c");
}

TEST_F(UndoHistoryTest, SavedStateFollowsUndoAndIsLostWhenItsBranchIsDropped) {
    EditRow(table, 0, 1, "1");
    history->MarkSaved();
    EXPECT_FALSE(history->ChangedSinceSave());
    EditRow(table, 0, 1, "2");
    EXPECT_TRUE(history->ChangedSinceSave());
    history->Undo();
    EXPECT_FALSE(history->ChangedSinceSave());
    history->Undo();
    EXPECT_TRUE(history->ChangedSinceSave());
    EditRow(table, 0, 1, "3");  // the saved state was undone: it cannot come back
    history->Undo();
    EXPECT_TRUE(history->ChangedSinceSave());
}

TEST_F(UndoHistoryTest, UndoTakesBackValuesTypedButNotPosted) {
    table.MoveTo(3);
    table.Edit();
    table.Fields(1).SetAsString("77");
    history->Undo();
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.CellText(3, 1), "");
    history->Redo();
    EXPECT_EQ(table.CellText(3, 1), "77");
}

TEST_F(UndoHistoryTest, ANewChangeDropsTheStepsUndone) {
    EditRow(table, 0, 1, "1");
    EditRow(table, 0, 1, "2");
    history->Undo();
    EXPECT_TRUE(history->CanRedo());
    EditRow(table, 1, 1, "3");
    EXPECT_FALSE(history->CanRedo());
    history->Undo();
    EXPECT_EQ(table.CellText(0, 1), "1");
}

// An import ends on the record it added last, still being inserted; posting it later belongs
// to the import, so one Undo takes back the whole import.
TEST_F(UndoHistoryTest, ACommandsRecordLeftOpenJoinsItsStepWhenPosted) {
    const Texts before = TableTexts(table);
    for (const bool storedOthers : {true, false}) {
        {
            UndoStep step(table, "Import Patch");
            if (storedOthers) {
                EditRow(table, 0, 1, "5");
            }
            table.Append();
            table.Fields(3).SetAsString("open");
        }
        EXPECT_EQ(history->UndoName(), "Import Patch");
        EXPECT_FALSE(history->CanRedo());
        table.MoveTo(0);  // posts the open record
        EXPECT_EQ(history->UndoName(), "Import Patch");
        history->Undo();
        EXPECT_EQ(TableTexts(table), before);
        EXPECT_FALSE(history->CanUndo());
    }
}

TEST_F(UndoHistoryTest, NestedAndEmptyStepsMakeOneStepOrNone) {
    {
        UndoStep outer(table, "Import Script");
        UndoStep inner(table, "Edit Cell");
        EditRow(table, 0, 1, "1");
        EditRow(table, 1, 1, "2");
    }
    { UndoStep nothing(table, "Find"); }
    EXPECT_EQ(history->UndoName(), "Import Script");
    history->Undo();
    EXPECT_FALSE(history->CanUndo());
    EXPECT_EQ(table.CellText(1, 1), "11");
}

TEST_F(UndoHistoryTest, LoadingOrClosingStartsAFreshHistory) {
    EditRow(table, 0, 1, "1");
    table.OpenEmpty();
    EXPECT_FALSE(history->CanUndo());
    EXPECT_FALSE(history->ChangedSinceSave());
    {
        UndoStep step(table, "Import Patch");
        table.Append();
        table.Post();
        table.Close();  // a command that ends by closing leaves nothing to take back
        table.OpenEmpty();
        table.Append();
        table.Post();
    }
    EXPECT_EQ(history->UndoName(), "Import Patch");
}

TEST_F(UndoHistoryTest, ListenersFollowEveryUndoneChange) {
    EditRow(table, 1, 3, "renamed");
    int told = 0;
    history->SetChangeListener([&] { ++told; });
    history->Undo();
    history->Redo();
    EXPECT_EQ(told, 2);
    EXPECT_EQ(table.CurrentRow(), 1);
}

// Texts still pointing into the loaded file's block are written back byte for byte, blanks and
// line breaks included; an undone edit must put back that very text, not a trimmed copy.
TEST(UndoHistoryFileTest, UndoneEditsSaveTheFileByteForByte) {
    using namespace std::string_literals;
    TempDir dir;
    Workspace ws;
    UndoHistory history(ws.Table);
    const std::string block = "\0 leading\0trailing\r\n\0"s;
    DbcBytes file;
    file.Header(2, 2, 8, static_cast<int32_t>(block.size()));
    file.Int(1).Int(1).Int(2).Int(10).Raw(block);
    dir.Write("Tips.dbc", file.Bytes());
    WriteFieldDefs(dir.File("Tips.dbc"), {{"ID"}, {"Tip", FieldKind::ftString}});
    OpenDbcTable(ws, dir.File("Tips.dbc"));

    EditRow(ws.Table, 0, 2, "typed");
    ws.Table.MoveTo(1);
    ws.Table.Delete();
    ws.Table.DeleteAllRecords();
    history.Undo();
    history.Undo();
    history.Undo();
    SaveDbcFile(ws, dir.File("Out.dbc"));

    EXPECT_EQ(dir.Read("Out.dbc"), file.Bytes());
}

}  // namespace
}  // namespace kelvane::testing

#include "exchange/PatchText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/exchange/ListenerLog.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;

// Index, the key, a string column and a float column: column numbers -1, 0, 1 and 2.
class PatchLinesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
        for (int i = 0; i < 7; ++i) {
            AddRecord(table, {std::to_string(i), "", ""});
        }
        AddRecord(table, {"12", "Fire, Ball", "1.5"});  // Index 7
    }
    void SetName(const std::string& name) {
        table.MoveTo(kRow);
        table.Edit();
        table.Fields(2).SetAsString(name);
        table.Post();
    }
    static constexpr int kRow = 7;
    RecordTable table;
};

TEST_F(PatchLinesTest, RowLineQuotesOnlyValuesWithCommas) {
    EXPECT_EQ(PatchRowLine(table, kRow), "12:1=\"Fire, Ball\",2=1.5");
    SetName("say \"hi\"");
    EXPECT_EQ(PatchRowLine(table, kRow), "12:1=say \"hi\",2=1.5");
    EXPECT_EQ(PatchRowLine(table, 0), "0:1=,2=");
}

TEST_F(PatchLinesTest, CellLineNumbersTheSelectedGridColumnFromTheKey) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "12:-1=7"}, {1, "12:0=12"}, {2, "12:1=\"Fire, Ball\""}, {3, "12:2=1.5"}};
    for (const auto& [selected, line] : cases) {
        EXPECT_EQ(PatchCellLine(table, kRow, selected), line) << selected;
    }
    EXPECT_THROW(PatchCellLine(table, kRow, 4), KelvaneError);
    EXPECT_THROW(PatchCellLine(table, kRow, -1), KelvaneError);
}

TEST_F(PatchLinesTest, FloatsUseTheDecimalSeparatorAndAreQuotedForIt) {
    const testing::DecimalSeparatorScope comma(',');
    EXPECT_EQ(PatchRowLine(table, kRow), "12:1=\"Fire, Ball\",2=\"1,5\"");
}

TEST_F(PatchLinesTest, ExportAllWalksInTableOrderAndTellsProgress) {
    table.MoveTo(3);
    table.Edit();
    table.Fields(2).SetAsString("edited");
    std::vector<std::pair<int, int>> progress;
    testing::ListenerLog log;
    table.AddListener(&log);
    const PatchExport exported =
        ExportPatchAll(table, [&](int done, int total) { progress.emplace_back(done, total); });
    table.RemoveListener(&log);

    ASSERT_EQ(exported.Lines.size(), 8u);
    EXPECT_EQ(exported.Lines[3], "3:1=edited,2=");
    EXPECT_EQ(exported.Lines[7], "12:1=\"Fire, Ball\",2=1.5");
    EXPECT_EQ(exported.ReadBack.UnreadableLines, 0);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 8}}));
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.RecNo(), 7);
    EXPECT_EQ(log.AllButResets(), 0);
    EXPECT_EQ(log.Resets, 1);
}

TEST(PatchLines, ExportAllGivesTheRowLinesAndReportsProgressInSteps) {
    RecordTable table;
    testing::BuildShuffledTable(table, 5000);
    std::vector<std::string> expected;
    for (int row = 0; row < table.RecordCount(); ++row) {
        expected.push_back(PatchRowLine(table, row));
    }
    std::vector<std::pair<int, int>> progress;
    const PatchExport exported =
        ExportPatchAll(table, [&](int done, int total) { progress.emplace_back(done, total); });
    EXPECT_EQ(exported.Lines, expected);
    EXPECT_EQ(exported.ReadBack.UnreadableLines, 0);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 5000}, {4096, 5000}}));
}

TEST(PatchLines, KeyColumnAloneGivesKeyAndColon) {
    RecordTable table;
    BuildTable(table, {{"ID", FieldKind::ftString}});
    AddRecord(table, {"12"});
    EXPECT_EQ(PatchRowLine(table, 0), "12:");
    // The reader takes '12:' for a pair without a column number.
    EXPECT_EQ(ExportPatchRow(table, 0).ReadBack.UnreadableLines, 1);
}

TEST(PatchLines, NeedAnOpenTableWithAKeyColumn) {
    RecordTable table;
    BuildTable(table, {});
    EXPECT_THROW(PatchRowLine(table, -1), KelvaneError);
    EXPECT_THROW(ExportPatchAll(table), KelvaneError);
    BuildTable(table, {{"ID"}});
    table.Close();
    EXPECT_THROW(ExportPatchAll(table), KelvaneError);
    EXPECT_THROW(PatchCellLine(table, -1, 0), KelvaneError);
}

TEST(PatchLines, EmptyTableExportsNothingAndNoRecordGivesBlanks) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    EXPECT_TRUE(ExportPatchAll(table).Lines.empty());
    EXPECT_EQ(PatchRowLine(table, table.RecNo()), ":1=");
}

// Index, a string key and two string columns, so every text can be tried in every place.
class PatchReadBackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(
            table,
            {{"Key", FieldKind::ftString}, {"A", FieldKind::ftString}, {"B", FieldKind::ftString}});
    }
    RecordTable table;
};

TEST_F(PatchReadBackTest, FindsEveryLineTheReaderWouldSkipOrMisread) {
    struct ReadBackCase {
        std::vector<std::string> Cells;  // key, A, B
        bool RowReadsBack;
        bool CellOfAReadsBack;
    };
    const std::vector<ReadBackCase> cases = {
        {{"1", "plain", "text"}, true, true},
        {{"2", "a,b", "c, d"}, true, true},
        {{"3", "say \"hi\"", "x"}, true, true},
        {{"4", "", ""}, true, true},
        {{"5", "a=b", "x"}, true, true},
        {{"  6 ", "blanks", "count"}, true, true},
        {{"7", "a;b", "x"}, false, false},
        {{"8", "x", "a//b"}, false, true},
        {{"9", "x\",y", "z"}, false, false},        // a double quote before a comma ends the value
        {{"10", "\"quoted\"", "z"}, false, false},  // reads as a quoted value
        {{"11", "z", "\"quoted\""}, false, true},   // the last pair loses its closing quote
        {{"12", "\"", "z"}, false, false},
        {{"13", "a=\"b", "c"}, false, false},  // '="' makes the value look quoted
        {{"14", "x", "=\"y"}, false, true},
        {{"a:b", "x", "y"}, false, false},  // the key ends at the first ":"
        {{"16", "two\r\nlines", "x"}, false, false},
        {{"17", "cr\ronly", "x"}, false, false},
    };
    for (const ReadBackCase& c : cases) {
        BuildTable(
            table,
            {{"Key", FieldKind::ftString}, {"A", FieldKind::ftString}, {"B", FieldKind::ftString}});
        AddRecord(table, c.Cells);
        const PatchExport row = ExportPatchRow(table, 0);
        EXPECT_EQ(row.ReadBack.UnreadableLines, c.RowReadsBack ? 0 : 1) << row.Lines[0];
        const PatchExport cell = ExportPatchCell(table, 0, 2);
        EXPECT_EQ(cell.ReadBack.UnreadableLines, c.CellOfAReadsBack ? 0 : 1) << cell.Lines[0];
        if (!c.RowReadsBack) {
            EXPECT_EQ(row.ReadBack.FirstKeys, std::vector<std::string>{c.Cells[0]});
        }
    }
}

TEST_F(PatchReadBackTest, CountsAllAndNamesTheFirstFewKeys) {
    for (int i = 0; i < 8; ++i) {
        AddRecord(table, {"k" + std::to_string(i), i % 2 == 0 ? "a;b" : "fine", ""});
    }
    const PatchExport exported = ExportPatchAll(table);
    EXPECT_EQ(exported.ReadBack.UnreadableLines, 4);
    EXPECT_EQ(exported.ReadBack.FirstKeys, (std::vector<std::string>{"k0", "k2", "k4", "k6"}));
}

TEST(PatchReadBackReport, WarningNamesCountAndKeys) {
    PatchReadBackReport report;
    EXPECT_EQ(report.Warning(), "");
    report.Count("12");
    EXPECT_EQ(report.Warning(),
              "The patch import would skip or misread 1 exported line (key '12'): the patch "
              "format cannot carry some texts, among them values holding \";\", \"//\" or a "
              "double quote before a comma, and keys holding \":\".");
    for (int key = 1; key <= 6; ++key) {
        report.Count(std::to_string(key));
    }
    EXPECT_EQ(report.UnreadableLines, 7);
    EXPECT_EQ(report.FirstKeys.size(), PatchReadBackReport::KeysShown);
    EXPECT_NE(report.Warning().find("7 exported lines (keys '12', '1', '2', '3', '4' and more)"),
              std::string::npos)
        << report.Warning();
}

}  // namespace
}  // namespace kelvane

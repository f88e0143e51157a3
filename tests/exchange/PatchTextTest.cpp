#include "core/table/Field.h"
#include "exchange/PatchText.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
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
    EXPECT_EQ(exported.ReadBack.ProblemCount(), 0);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 8}}));
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.CurrentRow(), 3);
    // The views hear the post as it is, and nothing of the walk.
    EXPECT_EQ(log.Resets, 0);
}

TEST(PatchLines, ExportAllGivesTheRowLinesAndReportsProgressInSteps) {
    RecordTable table;
    testing::BuildShuffledTable(table, 5000);
    std::vector<std::string> expected;
    std::set<std::string> keys;
    int repeats = 0;  // the records added in place of deleted ones reuse keys of others
    for (int row = 0; row < table.RecordCount(); ++row) {
        expected.push_back(PatchRowLine(table, row));
        repeats += keys.insert(table.CellText(row, 1)).second ? 0 : 1;
    }
    std::vector<std::pair<int, int>> progress;
    const PatchExport exported =
        ExportPatchAll(table, [&](int done, int total) { progress.emplace_back(done, total); });
    EXPECT_EQ(exported.Lines, expected);
    EXPECT_GT(repeats, 0);
    EXPECT_EQ(exported.ReadBack.Of(PatchProblem::RepeatedKey).Lines, repeats);
    EXPECT_EQ(exported.ReadBack.ProblemCount(), repeats);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 5000}, {4096, 5000}}));
}

TEST(PatchLines, KeyColumnAloneGivesKeyAndColon) {
    RecordTable table;
    BuildTable(table, {{"ID", FieldKind::ftString}});
    AddRecord(table, {"12"});
    EXPECT_EQ(PatchRowLine(table, 0), "12:");
    // The reader takes '12:' for a pair without a column number.
    EXPECT_EQ(ExportPatchRow(table, 0).ReadBack.Of(PatchProblem::NoCell).Lines, 1);
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
    EXPECT_EQ(PatchRowLine(table, table.CurrentRow()), ":1=");
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

TEST_F(PatchReadBackTest, NamesWhyEachLineTheReaderWouldSkipOrMisreadFails) {
    using enum PatchProblem;
    struct ReadBackCase {
        std::vector<std::string> Cells;  // key, A, B
        std::optional<PatchProblem> Row;
        std::optional<PatchProblem> CellOfA;
    };
    const std::vector<ReadBackCase> cases = {
        {{"1", "plain", "text"}, {}, {}},
        {{"2", "a,b", "c, d"}, {}, {}},
        {{"3", "say \"hi\"", "x"}, {}, {}},
        {{"4", "", ""}, {}, {}},
        {{"5", "a=b", "x"}, {}, {}},
        {{"  6 ", "blanks", "count"}, {}, {}},
        {{"7", "a;b", "x"}, CommentMark, CommentMark},
        {{"8", "x", "a//b"}, CommentMark, {}},
        {{"7;8", "x", "y"}, CommentMark, CommentMark},
        {{"9", "x\",y", "z"}, DoubleQuote, DoubleQuote},  // a double quote before a comma ends it
        {{"10", "\"quoted\"", "z"}, DoubleQuote, DoubleQuote},  // reads as a quoted value
        {{"11", "z", "\"quoted\""}, DoubleQuote, {}},  // the last pair loses its closing quote
        {{"12", "\"", "z"}, DoubleQuote, DoubleQuote},
        {{"13", "a=\"b", "c"}, DoubleQuote, DoubleQuote},  // '="' makes the value look quoted
        {{"14", "x", "=\"y"}, DoubleQuote, {}},
        {{"a:b", "x", "y"}, ColonInKey, ColonInKey},  // the key ends at the first ":"
        {{"16", "two\r\nlines", "x"}, LineBreak, LineBreak},
        {{"17", "cr\ronly", "x"}, LineBreak, LineBreak},
        // The line break is what splits the line, whatever else the value holds.
        {{"18", "a;b\n1: x\",y", "x"}, LineBreak, LineBreak},
        {{"19", "x", "tip\r\n   1 point  "}, LineBreak, {}},
    };
    for (const ReadBackCase& c : cases) {
        BuildTable(
            table,
            {{"Key", FieldKind::ftString}, {"A", FieldKind::ftString}, {"B", FieldKind::ftString}});
        AddRecord(table, c.Cells);
        const PatchExport row = ExportPatchRow(table, 0);
        const PatchExport cell = ExportPatchCell(table, 0, 2);
        for (const auto& [exported, problem] : {std::pair{&row, c.Row}, {&cell, c.CellOfA}}) {
            const std::string& line = exported->Lines[0];
            EXPECT_EQ(exported->ReadBack.ProblemCount(), problem ? 1 : 0) << line;
            if (problem) {
                EXPECT_EQ(exported->ReadBack.Of(*problem).FirstKeys,
                          std::vector<std::string>{c.Cells[0]})
                    << line;
            }
        }
    }
}

TEST_F(PatchReadBackTest, CountsAllAndNamesTheFirstFewKeys) {
    for (int i = 0; i < 8; ++i) {
        AddRecord(table, {"k" + std::to_string(i), i % 2 == 0 ? "a;b" : "fine", ""});
    }
    const PatchExport exported = ExportPatchAll(table);
    const PatchReadBackReport::Kind& comments = exported.ReadBack.Of(PatchProblem::CommentMark);
    EXPECT_EQ(comments.Lines, 4);
    EXPECT_EQ(comments.FirstKeys, (std::vector<std::string>{"k0", "k2", "k4", "k6"}));
    EXPECT_FALSE(comments.MoreKeys);
    EXPECT_EQ(exported.ReadBack.ProblemCount(), 4);
}

// Tables whose key column repeats (one record per class and race, say): every line after the
// first with a key would change the first record with it.
TEST_F(PatchReadBackTest, FindsKeysThatRepeatInAWholeTableExport) {
    for (const std::string_view key : {"1", "2", "1", "3", "1", "2", "4", "5", "6", "7", "8"}) {
        AddRecord(table, {std::string(key), "x", "y"});
    }
    for (int i = 4; i <= 8; ++i) {
        AddRecord(table, {std::to_string(i), "again", ""});
    }
    const PatchExport exported = ExportPatchAll(table);
    const PatchReadBackReport::Kind& repeats = exported.ReadBack.Of(PatchProblem::RepeatedKey);
    EXPECT_EQ(repeats.Lines, 8);
    EXPECT_EQ(repeats.FirstKeys, (std::vector<std::string>{"1", "2", "4", "5", "6"}));
    EXPECT_TRUE(repeats.MoreKeys);
    EXPECT_EQ(exported.ReadBack.ProblemCount(), 8);
    // One record alone repeats nothing.
    EXPECT_EQ(ExportPatchRow(table, 2).ReadBack.ProblemCount(), 0);
}

TEST(PatchReadBackReport, WarningNamesEachKindWithCountAndKeys) {
    PatchReadBackReport report;
    EXPECT_EQ(report.Warning(), "");
    report.Count(PatchProblem::LineBreak, "12");
    EXPECT_EQ(report.Warning(),
              "Some exported lines will not come back as they were written:\n"
              "- values with a line break: 1 line (key '12'); the line ends at the line break, "
              "and the rest is read as a line of its own");
    for (int key = 1; key <= 6; ++key) {
        report.Count(PatchProblem::RepeatedKey, std::to_string(key));
        report.Count(PatchProblem::RepeatedKey, std::to_string(key));
    }
    report.Count(PatchProblem::ColonInKey,
                 "a:\x01"
                 "b");
    EXPECT_EQ(report.ProblemCount(), 14);
    EXPECT_EQ(report.Of(PatchProblem::RepeatedKey).FirstKeys.size(),
              PatchReadBackReport::KeysShown);
    EXPECT_EQ(report.Warning(),
              "Some exported lines will not come back as they were written:\n"
              "- values with a line break: 1 line (key '12'); the line ends at the line break, "
              "and the rest is read as a line of its own\n"
              "- keys holding \":\": 1 line (key 'a:\\x01b'); the key ends at the first \":\"\n"
              "- keys that repeat: 12 lines (keys '1', '2', '3', '4', '5' and more); every line "
              "after the first with the same key would change the first record instead");
}

}  // namespace
}  // namespace kelvane

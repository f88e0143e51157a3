#include "core/table/Field.h"
#include "core/undo/TableBatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/base/WorkProgress.h"
#include "core/undo/UndoHistory.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/TableChangeLog.h"

namespace kelvane::testing {
namespace {

constexpr int kRecords = 100;
constexpr int kCount = 1;

// Index 0 to 99, count 10 times the Index, name "r" and the Index.
void BuildHundred(RecordTable& table) {
    BuildTable(table, {{"count"}, {"name", FieldKind::ftString}});
    for (int record = 0; record < kRecords; ++record) {
        AddRecord(table, {std::to_string(record * 10), "r" + std::to_string(record)});
    }
    table.First();
}

// A batch as a paste or an import makes one: it changes the count of the first `changed`
// records, with progress told before each, then appends `added` records. Progress stops it at
// the report numbered cancelAt (from 1), while a record is being edited.
void RewriteCounts(RecordTable& table, int changed, int added,
                   std::optional<int> cancelAt = std::nullopt) {
    int reports = 0;
    const WorkProgress progress = [&](int64_t, int64_t) {
        if (cancelAt && ++reports == *cancelAt) {
            throw WorkCancelled();
        }
    };
    RunAsOneBatch(table, "Rewrite", static_cast<size_t>(changed + added), [&] {
        for (int row = 0; row < changed; ++row) {
            table.MoveTo(row);
            table.Edit();
            table.Fields(kCount).SetAsInteger(-row - 1);
            ReportProgress(progress, row, changed + added);
            table.Post();
        }
        for (int record = 0; record < added; ++record) {
            table.Append();
            table.Fields(kCount).SetAsInteger(1000 + record);
            ReportProgress(progress, changed + record, changed + added);
            table.Post();
        }
    });
}

class TableBatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildHundred(table);
        history.emplace(table);
    }
    RecordTable table;
    std::optional<UndoHistory> history;
};

TEST_F(TableBatchTest, ABigBatchIsHeardAsOneResetAndUndoneAsOneStep) {
    const auto before = TableTexts(table);
    TableChangeLog log(table);
    RewriteCounts(table, kRecords, 5);
    EXPECT_EQ(log.Heard, (std::vector<std::string>{"resetting", "reset"}));
    EXPECT_EQ(log.Faults, std::vector<std::string>{});
    EXPECT_EQ(table.RecordCount(), kRecords + 5);
    EXPECT_EQ(history->UndoName(), "Rewrite");

    log.Heard.clear();
    history->Undo();
    EXPECT_EQ(TableTexts(table), before);
    EXPECT_EQ(log.Heard, (std::vector<std::string>{"resetting", "reset"}));
    EXPECT_EQ(history->RedoName(), "Rewrite");
}

TEST_F(TableBatchTest, ASmallBatchIsHeardRecordByRecord) {
    TableChangeLog log(table);
    RewriteCounts(table, 2, 1);
    EXPECT_EQ(std::count(log.Heard.begin(), log.Heard.end(), "reset"), 0);
    EXPECT_EQ(std::count_if(log.Heard.begin(), log.Heard.end(),
                            [](const std::string& line) { return line.starts_with("stored"); }),
              2);
    EXPECT_EQ(log.Faults, std::vector<std::string>{});
}

// Cancelled while changing, while adding, and at the first report (nothing stored yet): the
// table is as it was, the history holds the earlier edit only, and nothing can be redone.
TEST_F(TableBatchTest, ACancelledBatchLeavesTheTableAndItsHistoryAsTheyWere) {
    for (const int cancelAt : {60, kRecords + 3, 1}) {
        SCOPED_TRACE(cancelAt);
        table.MoveTo(7);
        table.Edit();
        table.Fields(kCount).SetAsInteger(7);
        table.Post();
        const auto before = TableTexts(table);
        TableChangeLog log(table);

        EXPECT_THROW(RewriteCounts(table, kRecords, 5, cancelAt), WorkCancelled);
        EXPECT_EQ(TableTexts(table), before);
        EXPECT_EQ(table.State(), TableState::Browse);
        EXPECT_EQ(log.Heard, (std::vector<std::string>{"resetting", "reset"}));
        EXPECT_EQ(log.Faults, std::vector<std::string>{});
        EXPECT_EQ(history->UndoName(), "Edit Cell");
        EXPECT_FALSE(history->CanRedo());

        history->Undo();
        EXPECT_EQ(table.IntegerAt(7, kCount), 70);
    }
}

TEST_F(TableBatchTest, ACancelledBatchLeavesNoChangeSinceTheSave) {
    EXPECT_THROW(RewriteCounts(table, kRecords, 0, 80), WorkCancelled);
    EXPECT_FALSE(history->ChangedSinceSave());
    EXPECT_FALSE(history->CanUndo());
}

}  // namespace
}  // namespace kelvane::testing

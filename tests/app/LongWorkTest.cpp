#include "app/LongWork.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/CellEntry.h"
#include "app/ExchangeCommands.h"
#include "app/ImportCommands.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoHistory.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

constexpr int kRecords = 100;
constexpr int kAdded = 10;
constexpr int kKey = 1;

// The bulk commands of the window, each changing every record of the table and adding kAdded;
// the files they read are written into dir. stepName is what Undo then takes back.
struct BulkCase {
    const char* Name;
    const char* StepName;
    std::function<void(RecordTable&, TempDir&, ScriptedDialogs&, CountingFeedback&)> Run;
};

std::string CsvOfEveryRecord() {
    std::string text;
    for (int record = 0; record < kRecords + kAdded; ++record) {
        text += std::to_string(record) + "," + std::to_string(-record) + "\n";
    }
    return text;
}

std::string PatchOfEveryRecord() {
    std::string text;
    for (int record = 0; record < kRecords + kAdded; ++record) {
        text += std::to_string(record) + ":1=" + std::to_string(-record) + "\n";
    }
    return text;
}

std::string ScriptOfNewRecords() {
    std::string text;
    for (int record = 0; record < kRecords; ++record) {
        text += "[item " + std::to_string(1000 + record) + "]\nquality=5\n";
    }
    return text;
}

CellTexts PastedRows() {
    CellTexts rows;
    for (int record = 0; record < kRecords + kAdded; ++record) {
        rows.push_back({std::to_string(record), std::to_string(-record)});
    }
    return rows;
}

const std::vector<BulkCase> kCases = {
    {"Paste", "Paste",
     [](RecordTable& table, TempDir&, ScriptedDialogs&, CountingFeedback& feedback) {
         std::vector<RecordId> records;
         for (int row = 0; row < table.RecordCount(); ++row) {
             records.push_back(table.RecordIdAt(row));
         }
         RunLongWork(feedback, "Pasting", [&](const WorkProgress& progress) {
             return EnterCells(table, records, kKey, PastedRows(), "Paste", progress);
         });
     }},
    {"CsvImport", "Import CSV",
     [](RecordTable& table, TempDir& dir, ScriptedDialogs& dialogs, CountingFeedback& feedback) {
         dir.Write("in.csv", CsvOfEveryRecord());
         dialogs.FileAnswers.push_back(dir.File("in.csv"));
         ExchangeCommands(table, dialogs, feedback).ImportCsv();
     }},
    {"PatchImport", "Import Patch",
     [](RecordTable& table, TempDir& dir, ScriptedDialogs& dialogs, CountingFeedback& feedback) {
         dir.Write("patch.txt", PatchOfEveryRecord());
         dialogs.FileAnswers.push_back(dir.File("patch.txt"));
         ExchangeCommands(table, dialogs, feedback).ImportPatch();
     }},
    {"ScriptImport", "Import Script",
     [](RecordTable& table, TempDir& dir, ScriptedDialogs& dialogs, CountingFeedback& feedback) {
         dir.Write("items.scp", ScriptOfNewRecords());
         dialogs.FileAnswers.push_back(dir.File("items.scp"));
         ImportCommands(table, dialogs, feedback).ImportRecords(ScriptImport::Scp);
     }},
};

std::string CaseName(const ::testing::TestParamInfo<BulkCase>& info) {
    return info.param.Name;
}

void PrintTo(const BulkCase& bulkCase, std::ostream* out) {
    *out << bulkCase.Name;
}

// A table of 100 records whose key equals their Index, with one earlier edit in its history.
class LongWorkTest : public ::testing::TestWithParam<BulkCase> {
  protected:
    void SetUp() override {
        BuildTable(table, {{"Id"}, {"quality"}});
        for (int record = 0; record < kRecords; ++record) {
            AddRecord(table, {std::to_string(record), "7"});
        }
        history.MarkSaved();
        table.MoveTo(3);
        table.Edit();
        table.Fields(2).SetAsInteger(8);
        table.Post();
    }

    void Run() { GetParam().Run(table, dir, dialogs, feedback); }

    TempDir dir;
    RecordTable table;
    UndoHistory history{table};
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
};

TEST_P(LongWorkTest, RunsWithItsProgressAsOneStep) {
    Run();
    EXPECT_EQ(history.UndoName(), GetParam().StepName);
    EXPECT_EQ(feedback.LongWorkTitles.size(), 1U);
    EXPECT_GT(feedback.LongWorkProgressCalls, kRecords / 2);
    EXPECT_EQ(feedback.LongWorkDepth, 0);
    EXPECT_EQ(feedback.BusyDepth, 0);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{});
}

// Cancelled at the first report, halfway and at the last: the table and its history are as
// they were, the step taken back before still to be done again, and the status line says so.
TEST_P(LongWorkTest, CancelledLeavesTheTableAndItsHistoryAsTheyWere) {
    Run();
    const int reports = feedback.LongWorkProgressCalls;
    history.Undo();
    const auto before = TableTexts(table);
    for (const int cancelAt : {1, reports / 2, reports}) {
        SCOPED_TRACE(cancelAt);
        feedback.LongWorkProgressCalls = 0;
        feedback.CancelAtProgress = cancelAt;
        EXPECT_THROW(Run(), CommandCancelled);
        EXPECT_EQ(TableTexts(table), before);
        EXPECT_EQ(history.UndoName(), "Edit Cell");
        EXPECT_EQ(history.RedoName(), GetParam().StepName);
        EXPECT_TRUE(history.ChangedSinceSave());
        EXPECT_EQ(feedback.Results.back(),
                  feedback.LongWorkTitles.back() + " cancelled: the table is as it was");
        EXPECT_EQ(feedback.LongWorkDepth, 0);
        EXPECT_EQ(feedback.BusyDepth, 0);
    }
    history.Undo();
    EXPECT_FALSE(history.ChangedSinceSave());
}

INSTANTIATE_TEST_SUITE_P(BulkCommands, LongWorkTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace kelvane::testing

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/TableChangeLog.h"

namespace kelvane::testing {
namespace {

constexpr int kIndex = 0;
constexpr int kCount = 1;
constexpr int kSpeed = 2;
constexpr int kName = 3;

// Index 0 to 2, count 10 to 12, speed 1.5 to 3.5, names a to c; the first record is current.
void BuildSample(RecordTable& table) {
    BuildTable(table, {{"count"}, {"speed", FieldKind::ftFloat}, {"name", FieldKind::ftString}});
    AddRecord(table, {"10", "1.5", "a"});
    AddRecord(table, {"11", "2.5", "b"});
    AddRecord(table, {"12", "3.5", "c"});
    table.First();
}

void Type(RecordTable& table, int column, const std::string& text) {
    table.Fields(column).SetAsString(text);
}

struct ChangeCase {
    const char* Name;
    std::function<void(RecordTable&)> Operation;
    std::vector<std::string> Heard;
};

// Each case is named by its name, in test names and in failures.
std::string CaseName(const ::testing::TestParamInfo<ChangeCase>& info) {
    return info.param.Name;
}

void PrintTo(const ChangeCase& change, std::ostream* out) {
    *out << change.Name;
}

class RecordTableChangesTest : public ::testing::TestWithParam<ChangeCase> {
  protected:
    void SetUp() override { BuildSample(table); }
    RecordTable table;
};

TEST_P(RecordTableChangesTest, ListenersHearEachChangeInOrder) {
    TableChangeLog log(table);
    GetParam().Operation(table);
    EXPECT_EQ(log.Heard, GetParam().Heard);
    EXPECT_EQ(log.Faults, std::vector<std::string>{});
}

const ChangeCase kChangeCases[] = {
    {"TypingIntoACell",
     [](RecordTable& t) {
         t.MoveTo(1);
         t.Edit();
         Type(t, kName, "x");
     },
     {"cursor 0 browse > 1 browse", "cursor 1 browse > 1 edit", "typed 1 [name was 'b']"}},
    {"TypingTheSameValueChangesNothing",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kCount, "10");
     },
     {"cursor 0 browse > 0 edit"}},
    {"ClearingACell",
     [](RecordTable& t) {
         t.Edit();
         t.Fields(kSpeed).Clear();
     },
     {"cursor 0 browse > 0 edit", "typed 0 [speed was 1.5]"}},
    {"AppendAndPost",
     [](RecordTable& t) {
         t.Append();
         Type(t, kCount, "5");
         t.Post();
     },
     {"inserting 3+1", "inserted 3+1", "cursor 0 browse > 3 insert", "typed 3 [count was 0]",
      "added 3", "cursor 3 insert > 3 browse"}},
    {"InsertAndPostAtItsPlace",
     [](RecordTable& t) {
         t.MoveTo(1);
         t.Insert();
         Type(t, kIndex, "1");
         t.Post();
     },
     {"cursor 0 browse > 1 browse", "inserting 1+1", "inserted 1+1", "cursor 1 browse > 1 insert",
      "typed 1 [Index was 3]", "added 1", "cursor 1 insert > 1 browse"}},
    {"InsertedRecordPostedWhereItsIndexBelongs",
     [](RecordTable& t) {
         t.Insert();
         t.Post();
     },
     {"inserting 0+1", "inserted 0+1", "cursor 0 browse > 0 insert", "moving 0>3", "moved 0>3",
      "added 3", "cursor 0 insert > 3 browse"}},
    {"PostInPlace",
     [](RecordTable& t) {
         t.MoveTo(1);
         t.Edit();
         Type(t, kName, "x");
         Type(t, kSpeed, "9");
         t.Post();
     },
     {"cursor 0 browse > 1 browse", "cursor 1 browse > 1 edit", "typed 1 [name was 'b']",
      "typed 1 [speed was 2.5]", "stored 1 [speed was 2.5, name was 'b']",
      "cursor 1 edit > 1 browse"}},
    {"PostThatMovesTheRecordByItsIndex",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kIndex, "5");
         t.Post();
     },
     {"cursor 0 browse > 0 edit", "typed 0 [Index was 0]", "moving 0>2", "moved 0>2",
      "stored 2 [Index was 0]", "cursor 0 edit > 2 browse"}},
    {"PostOfAnUnchangedValueStoresNothing",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kName, "a");
         t.Post();
     },
     {"cursor 0 browse > 0 edit", "cursor 0 edit > 0 browse"}},
    {"EditAndCancel",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kName, "x");
         t.Cancel();
     },
     {"cursor 0 browse > 0 edit", "typed 0 [name was 'a']", "reverted 0 [name was 'x']",
      "cursor 0 edit > 0 browse"}},
    {"InsertAndCancel",
     [](RecordTable& t) {
         t.Insert();
         t.Cancel();
     },
     {"inserting 0+1", "inserted 0+1", "cursor 0 browse > 0 insert", "removing 0+1", "removed 0+1",
      "cursor 0 insert > 0 browse"}},
    {"LeavingAChangedRecordPostsIt",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kName, "x");
         t.Next();
     },
     {"cursor 0 browse > 0 edit", "typed 0 [name was 'a']", "stored 0 [name was 'a']",
      "cursor 0 edit > 0 browse", "cursor 0 browse > 1 browse"}},
    {"LeavingAnUntouchedInsertCancelsIt",
     [](RecordTable& t) {
         t.Append();
         t.First();
     },
     {"inserting 3+1", "inserted 3+1", "cursor 0 browse > 3 insert", "removing 3+1", "removed 3+1",
      "cursor 3 insert > 2 browse", "cursor 2 browse > 0 browse"}},
    // The record asked for is followed to where the posted record's move left it.
    {"ClickingARowBelowARecordThatMovesPast",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kIndex, "5");
         t.MoveTo(2);
     },
     {"cursor 0 browse > 0 edit", "typed 0 [Index was 0]", "moving 0>2", "moved 0>2",
      "stored 2 [Index was 0]", "cursor 0 edit > 2 browse", "cursor 2 browse > 1 browse"}},
    // The current row holds the next record afterwards: the rows changed, the cursor did not.
    {"DeleteInTheMiddle",
     [](RecordTable& t) {
         t.MoveTo(1);
         t.Delete();
     },
     {"cursor 0 browse > 1 browse", "removing 1+1", "removed 1+1"}},
    {"DeleteTheLast",
     [](RecordTable& t) {
         t.Last();
         t.Delete();
     },
     {"cursor 0 browse > 2 browse", "removing 2+1", "removed 2+1", "cursor 2 browse > 1 browse"}},
    // The record is announced as it is stored, so that what goes can be read from the table.
    {"DeleteWhileEditingDropsTheTypedValuesFirst",
     [](RecordTable& t) {
         t.Edit();
         Type(t, kName, "x");
         t.Delete();
     },
     {"cursor 0 browse > 0 edit", "typed 0 [name was 'a']", "reverted 0 [name was 'x']",
      "cursor 0 edit > 0 browse", "removing 0+1", "removed 0+1"}},
    {"Empty",
     [](RecordTable& t) { t.DeleteAllRecords(); },
     {"removing 0+3", "removed 0+3", "cursor 0 browse > -1 browse"}},
    {"EmptyWhileInserting",
     [](RecordTable& t) {
         t.Append();
         t.DeleteAllRecords();
     },
     {"inserting 3+1", "inserted 3+1", "cursor 0 browse > 3 insert", "removing 0+4", "removed 0+4",
      "cursor 3 insert > -1 browse"}},
    {"SuspendedBatch",
     [](RecordTable& t) {
         t.SuspendNotifications();
         t.Edit();
         Type(t, kIndex, "7");
         t.Next();
         t.Insert();
         t.Delete();
         t.ResumeNotifications();
     },
     {"resetting", "reset"}},
    {"SuspensionWithoutChanges",
     [](RecordTable& t) {
         t.SuspendNotifications();
         t.First();
         t.ResumeNotifications();
     },
     {}},
    {"Close", [](RecordTable& t) { t.Close(); }, {"resetting", "reset"}},
    {"CreateAgain", [](RecordTable& t) { t.OpenEmpty(); }, {"resetting", "reset"}},
};

INSTANTIATE_TEST_SUITE_P(Operations, RecordTableChangesTest, ::testing::ValuesIn(kChangeCases),
                         CaseName);

TEST(RecordTableSuspension, NestedSuspensionsResetOnceWhenTheLastEnds) {
    RecordTable table;
    BuildSample(table);
    TableChangeLog log(table);
    table.SuspendNotifications();
    table.SuspendNotifications();
    for (int i = 0; i < 50; ++i) {
        AddRecord(table, {});
    }
    table.ResumeNotifications();
    EXPECT_EQ(log.Heard, std::vector<std::string>{"resetting"});
    table.ResumeNotifications();
    EXPECT_EQ(log.Heard, (std::vector<std::string>{"resetting", "reset"}));
    EXPECT_EQ(log.Faults, std::vector<std::string>{});
}

// ---- Record identity ----------------------------------------------------------------------

class RecordIdentityTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildSample(table);
        for (int row = 0; row < table.RowCount(); ++row) {
            ids.push_back(table.RecordIdAt(row));
        }
    }
    RecordTable table;
    std::vector<RecordId> ids;  // of the records at rows 0 to 2
};

TEST_F(RecordIdentityTest, IdsSurviveMovesAndOtherRecordsDeletes) {
    table.Edit();
    Type(table, kIndex, "5");
    table.Post();  // the first record moves to the end
    EXPECT_EQ(table.RowOfRecord(ids[0]), 2);
    EXPECT_EQ(table.RowOfRecord(ids[1]), 0);

    table.First();
    table.Delete();
    EXPECT_EQ(table.RowOfRecord(ids[1]), -1);
    EXPECT_EQ(table.RowOfRecord(ids[2]), 0);
    EXPECT_EQ(table.RowOfRecord(ids[0]), 1);
    EXPECT_EQ(table.RecordIdAt(1), ids[0]);
}

// The storage of a deleted record is used again; its id is not.
TEST_F(RecordIdentityTest, ADeletedRecordsIdIsNeverGivenAgain) {
    table.Delete();
    AddRecord(table, {"99"});
    EXPECT_EQ(table.RowOfRecord(ids[0]), -1);
    for (int row = 0; row < table.RowCount(); ++row) {
        EXPECT_NE(table.RecordIdAt(row), ids[0]) << "row " << row;
    }

    table.DeleteAllRecords();
    AddRecord(table, {"1"});
    for (const RecordId& id : ids) {
        EXPECT_EQ(table.RowOfRecord(id), -1);
        EXPECT_NE(table.RecordIdAt(0), id);
    }
}

TEST_F(RecordIdentityTest, ARecordBeingInsertedHasItsIdFromTheStart) {
    table.MoveTo(1);
    table.Insert();
    const RecordId inserted = table.RecordIdAt(1);
    EXPECT_TRUE(inserted.IsValid());
    EXPECT_EQ(table.RowOfRecord(inserted), 1);
    // The rows after the one being inserted are one further down.
    EXPECT_EQ(table.RowOfRecord(ids[1]), 2);
    EXPECT_EQ(table.RowOfRecord(ids[2]), 3);

    table.Post();  // Index 3 places it at the end
    EXPECT_EQ(table.RowOfRecord(inserted), 3);
    EXPECT_EQ(table.RecordIdAt(3), inserted);

    table.Insert();
    const RecordId cancelled = table.RecordIdAt(table.CurrentRow());
    table.Cancel();
    EXPECT_EQ(table.RowOfRecord(cancelled), -1);
}

// Records sharing an Index are told apart by their id, not by their value.
TEST_F(RecordIdentityTest, RecordsSharingAnIndexAreFoundEach) {
    for (int i = 0; i < 4; ++i) {
        table.Append();
        Type(table, kIndex, "1");
        table.Post();
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        EXPECT_EQ(table.RowOfRecord(table.RecordIdAt(row)), row);
    }
    EXPECT_FALSE(table.RecordIdAt(table.RowCount()).IsValid());
    EXPECT_EQ(table.RowOfRecord(RecordId()), -1);
}

TEST_F(RecordIdentityTest, ACellChangeNamesItsRecord) {
    TableChangeLog log(table);
    table.MoveTo(2);
    table.Edit();
    Type(table, kName, "x");
    table.Post();
    EXPECT_EQ(log.Faults, std::vector<std::string>{});
    EXPECT_EQ(table.RecordIdAt(2), ids[2]);
}

}  // namespace
}  // namespace kelvane::testing

#include "app/RecordView.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecordViewListener.h"
#include "core/base/KelvaneError.h"
#include "tests/app/ViewTables.h"

namespace kelvane::testing {
namespace {

constexpr int kId = 1;
constexpr int kName = 2;
constexpr int kSpeed = 3;
constexpr int kRank = 4;

// Writes down what the view tells, and checks at each report that the view's rows and the
// table's rows map onto each other both ways.
class ViewLog : public RecordViewListener {
  public:
    explicit ViewLog(RecordView& view) : view_(view) { view_.SetListener(this); }
    ~ViewLog() override { view_.SetListener(nullptr); }

    std::vector<std::string> Heard;
    std::vector<std::string> Faults;

  private:
    void ShownRowsAboutToBeInserted(int first, int count) override {
        Heard.push_back("insert " + std::to_string(first) + "+" + std::to_string(count));
    }
    void ShownRowsInserted() override { Check(); }
    void ShownRowsAboutToBeRemoved(int first, int count) override {
        Heard.push_back("remove " + std::to_string(first) + "+" + std::to_string(count));
    }
    void ShownRowsRemoved() override { Check(); }
    void ShownRowAboutToBeMoved(int from, int to) override {
        Heard.push_back("move " + std::to_string(from) + ">" + std::to_string(to));
    }
    void ShownRowMoved() override { Check(); }
    void ShownRowsAboutToBeReset() override { Heard.push_back("reset"); }
    void ShownRowsReset() override { Check(); }

    void Check() {
        for (int row = 0; row < view_.ShownCount(); ++row) {
            const int tableRow = view_.TableRowOf(row);
            if (tableRow < 0 || tableRow >= view_.Table().RowCount() ||
                view_.ShownRowOf(tableRow) != row) {
                Faults.push_back("row " + std::to_string(row) + " maps to " +
                                 std::to_string(tableRow));
            }
        }
    }
    RecordView& view_;
};

class RecordViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildViewTable(table, {{31, "Fireball", 1.5, 3},
                               {-1, "ice lance", 0.1, 7},
                               {16, "Frost Nova", -2.25, 3},
                               {255, "arcane", 2, -4},
                               {16, "Blink", 0.1, 7}});
    }
    void TearDown() override { EXPECT_EQ(log.Faults, std::vector<std::string>{}); }

    // The Index values of the shown records, in the order shown.
    std::vector<int> Shown() const {
        std::vector<int> indexes;
        for (const int row : view.ShownRows()) {
            indexes.push_back(table.IntegerAt(row, 0));
        }
        return indexes;
    }
    void MoveToIndex(int index) {
        for (int row = 0; row < table.RowCount(); ++row) {
            if (table.IntegerAt(row, 0) == index) {
                table.MoveTo(row);
                return;
            }
        }
        FAIL() << "no record " << index;
    }

    RecordTable table;
    RecordView view{table};
    ViewLog log{view};
};

struct SortCase {
    int Column;
    SortOrder Order;
    std::vector<int> Shown;
};

TEST_F(RecordViewTest, SortsByNumbersAndTextsKeepingFileOrderAmongEquals) {
    const std::vector<SortCase> cases = {
        {kRank, SortOrder::Ascending, {3, 0, 2, 1, 4}},
        {kRank, SortOrder::Descending, {1, 4, 0, 2, 3}},
        {kId, SortOrder::Ascending, {2, 4, 0, 3, 1}},  // FFFFFFFF is the greatest
        {kSpeed, SortOrder::Ascending, {2, 1, 4, 0, 3}},
        {kName, SortOrder::Ascending, {4, 0, 2, 3, 1}},  // bytes: upper case first
        {kName, SortOrder::FileOrder, {0, 1, 2, 3, 4}},
    };
    for (const SortCase& sortCase : cases) {
        view.SortBy(sortCase.Column, sortCase.Order);
        EXPECT_EQ(Shown(), sortCase.Shown) << "column " << sortCase.Column;
    }
    EXPECT_EQ(table.RowCount(), 5);
    EXPECT_EQ(table.IntegerAt(3, kRank), -4);  // the table keeps its own order
}

TEST_F(RecordViewTest, FiltersOfSeveralColumnsCombineAndBadOnesChangeNothing) {
    view.SetFilter(kRank, "3..7");
    view.SetFilter(kName, "n");
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 4}));
    EXPECT_THROW(view.SetFilter(kSpeed, "fast"), KelvaneError);
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(view.FilterText(kSpeed), "");
    view.SortBy(kName, SortOrder::Descending);
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 4}));
    view.SetFilter(kName, " ");
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 0, 4}));
    EXPECT_FALSE(view.ShowsEveryRecordInFileOrder());
}

TEST_F(RecordViewTest, AnEditedRecordStaysWhereItIsUntilTheFilterIsSetAgain) {
    view.SortBy(kRank, SortOrder::Ascending);
    view.SetFilter(kRank, ">0");
    EXPECT_EQ(Shown(), (std::vector<int>{0, 2, 1, 4}));
    MoveToIndex(2);
    table.Edit();
    table.Fields(kRank).SetAsInteger(-9);
    table.Post();
    EXPECT_EQ(Shown(), (std::vector<int>{0, 2, 1, 4}));
    view.SetFilter(kRank, ">0");
    EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 4}));
}

TEST_F(RecordViewTest, RecordsComeAndGoWhereTheUserIs) {
    view.SortBy(kName, SortOrder::Descending);  // ice lance, arcane, Frost Nova, Fireball, Blink
    view.SetFilter(kRank, "!=-4");
    log.Heard.clear();
    MoveToIndex(2);
    table.Insert();  // shown at the current record's place
    EXPECT_EQ(view.ShownRowOf(table.CurrentRow()), 1);
    table.Fields(0).SetAsInteger(9);
    table.Post();  // placed last by its Index: the table moves it, the sorted view does not
    EXPECT_EQ(view.ShownRowOf(table.CurrentRow()), 1);
    EXPECT_EQ(Shown(), (std::vector<int>{1, 9, 2, 0, 4}));
    table.Delete();
    MoveToIndex(3);  // not shown: the table may still go there and delete it
    table.Delete();
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 0, 4}));
    EXPECT_EQ(log.Heard, (std::vector<std::string>{"insert 1+1", "remove 1+1"}));
}

TEST_F(RecordViewTest, InFileOrderAPostedRecordMovesWithItsIndex) {
    view.SetFilter(kRank, "3..7");
    log.Heard.clear();
    MoveToIndex(0);
    table.Edit();
    table.Fields(0).SetAsInteger(5);
    table.Post();
    EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(log.Heard, (std::vector<std::string>{"move 0>3"}));
}

TEST_F(RecordViewTest, AResetKeepsSortAndFiltersWhileTheColumnsStay) {
    view.SortBy(kSpeed, SortOrder::Descending);
    view.SetFilter(kName, "a");
    table.SuspendNotifications();
    table.Last();
    table.Delete();
    table.ResumeNotifications();
    EXPECT_EQ(Shown(), (std::vector<int>{3, 0, 1, 2}));
    table.Close();
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.OpenEmpty();
    EXPECT_EQ(view.SortColumn(), -1);
    EXPECT_FALSE(view.Filtered());
}

// A batch is told as one reset: the records shown stay in their order, even one that no
// longer passes the filter or now sorts elsewhere, a deleted one leaves, and added ones show
// after them, as records edited and added one by one would.
TEST_F(RecordViewTest, AfterABatchTheShownRecordsStayAndAddedOnesFollow) {
    view.SortBy(kSpeed, SortOrder::Descending);
    view.SetFilter(kName, "a");
    ASSERT_EQ(Shown(), (std::vector<int>{3, 0, 1, 2}));
    table.SuspendNotifications();
    MoveToIndex(0);
    table.Edit();
    table.Fields(kName).SetAsString("Zzz");
    table.Fields(kSpeed).SetAsFloat(-9);
    table.Post();
    MoveToIndex(1);
    table.Delete();
    for (const int index : {7, 6}) {
        table.Append();
        table.Fields(0).SetAsInteger(index);
        table.Fields(kName).SetAsString("new");
        table.Post();
    }
    table.ResumeNotifications();
    EXPECT_EQ(Shown(), (std::vector<int>{3, 0, 2, 6, 7}));
    EXPECT_EQ(log.Heard.back(), "reset");

    view.SetFilter(kName, "a");
    EXPECT_EQ(Shown(), (std::vector<int>{3, 2}));
}

}  // namespace
}  // namespace kelvane::testing

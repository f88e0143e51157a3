#include "app/RecordSearch.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/CellTextMatcher.h"
#include "app/RecordView.h"
#include "core/base/KelvaneError.h"
#include "core/base/WorkCancelled.h"
#include "core/table/RecordTable.h"
#include "tests/app/ViewTables.h"

namespace kelvane::testing {
namespace {

class RecordSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildViewTable(table, {{31, "Fireball", 1.5, -1},
                               {255, "Ice 1F", 0.1, 7},
                               {0, "", -2.25, 0},
                               {16, "frost nova", 2, 31}});
        table.MoveTo(2);
    }

    // The current row after the search; found says whether it matched.
    int Find(const std::string& value, SearchMode mode, const std::string& field = "",
             SearchOrigin origin = SearchOrigin::FirstRecord, bool caseSensitive = true) {
        settings.Value = value;
        settings.Mode = mode;
        settings.Field = field;
        settings.Origin = origin;
        settings.CaseSensitive = caseSensitive;
        found = FindRecord(table, view, settings);
        if (found) {
            EXPECT_EQ(found->Row, table.CurrentRow());
        }
        return table.CurrentRow();
    }

    RecordTable table;
    RecordView view{table};
    SearchSettings settings;
    std::optional<SearchMatch> found;
};

TEST(CellTextMatcher, ComparesByModeAndCase) {
    using Mode = SearchMode;
    // value, mode, case sensitive, cell text, matches
    const std::vector<std::tuple<std::string, Mode, bool, std::string, bool>> cases = {
        {"Fire", Mode::AtBeginning, true, "Fireball", true},
        {"fire", Mode::AtBeginning, true, "Fireball", false},
        {"fire", Mode::AtBeginning, false, "Fireball", true},
        {"Fireballs", Mode::AtBeginning, false, "Fireball", false},
        {"ball", Mode::AtBeginning, true, "Fireball", false},
        {"", Mode::AtBeginning, true, "Fireball", true},
        {"", Mode::AtBeginning, true, "", true},
        {"Fireball", Mode::Exactly, true, "Fireball", true},
        {"FIREBALL", Mode::Exactly, true, "Fireball", false},
        {"FIREBALL", Mode::Exactly, false, "fireball", true},
        {"Fire", Mode::Exactly, false, "Fireball", false},
        {"", Mode::Exactly, true, "", true},
        {"", Mode::Exactly, true, " ", false},
        {"eba", Mode::AnyPosition, true, "Fireball", true},
        {"EBA", Mode::AnyPosition, true, "Fireball", false},
        {"EBa", Mode::AnyPosition, false, "fireBALL", true},
        {"ll", Mode::AnyPosition, false, "Fireball", true},
        {"", Mode::AnyPosition, true, "", false},
        {"", Mode::AnyPosition, false, "Fireball", false},
        {"ballz", Mode::AnyPosition, false, "Fireball", false},
    };
    for (const auto& [value, mode, caseSensitive, text, matches] : cases) {
        EXPECT_EQ(CellTextMatcher(value, mode, caseSensitive).Matches(text), matches)
            << "'" << value << "' mode " << static_cast<int>(mode) << " case " << caseSensitive
            << " in '" << text << "'";
    }
}

TEST_F(RecordSearchTest, DefaultSearchLooksAtTheDecimalTextOfHexColumns) {
    // Record 0 shows its ID 31 as 1F, but searches compare 31: the string cell of record 1
    // is the first to hold 1F.
    EXPECT_EQ(Find("1F", SearchMode::AnyPosition), 1);
    EXPECT_EQ(Find("31", SearchMode::AnyPosition), 0);
}

TEST_F(RecordSearchTest, ScanComparesNumbersInTheirTextForm) {
    EXPECT_EQ(Find("-1", SearchMode::Exactly), 0);
    EXPECT_EQ(Find(table.CellText(2, 3), SearchMode::Exactly), 2);
    EXPECT_EQ(Find("nova", SearchMode::AnyPosition, "Name"), 3);
}

TEST_F(RecordSearchTest, EmptyValueFollowsTheMode) {
    table.MoveTo(3);
    EXPECT_EQ(Find("", SearchMode::AtBeginning), 0);
    EXPECT_EQ(Find("", SearchMode::Exactly), 2);  // the empty name
    EXPECT_EQ(Find("", SearchMode::AnyPosition), 2) << "nothing matches: the cursor stays";
    EXPECT_FALSE(found);
}

TEST_F(RecordSearchTest, ScanFromCurrentRecordStartsAfterIt) {
    table.MoveTo(1);
    EXPECT_EQ(Find("1", SearchMode::AnyPosition, "", SearchOrigin::AfterCurrentRecord), 3);

    table.MoveTo(3);
    EXPECT_EQ(Find("", SearchMode::AtBeginning, "", SearchOrigin::AfterCurrentRecord), 3)
        << "from the last record nothing is examined";
    EXPECT_FALSE(found);
}

TEST_F(RecordSearchTest, WithoutMatchTheCursorStaysWhereItWas) {
    // value, mode, field, origin, case sensitive: none of them matches a record.
    const std::vector<std::tuple<std::string, SearchMode, std::string, SearchOrigin, bool>> cases =
        {
            {"absent", SearchMode::AnyPosition, "", SearchOrigin::FirstRecord, true},
            {"7", SearchMode::AnyPosition, "NoSuchColumn", SearchOrigin::FirstRecord, true},
            {"7", SearchMode::Exactly, "NoSuchColumn", SearchOrigin::FirstRecord, true},
            {"FROST", SearchMode::AtBeginning, "Name", SearchOrigin::FirstRecord, true},
            {"1F", SearchMode::Exactly, "ID", SearchOrigin::FirstRecord, true},
            {"Fireball", SearchMode::Exactly, "", SearchOrigin::AfterCurrentRecord, false},
        };
    for (const auto& [value, mode, field, origin, caseSensitive] : cases) {
        table.MoveTo(1);
        EXPECT_EQ(Find(value, mode, field, origin, caseSensitive), 1) << value << " in " << field;
        EXPECT_FALSE(found) << value << " in " << field;
    }
    EXPECT_FALSE(table.NotificationsSuspended());
}

TEST_F(RecordSearchTest, OneColumnFromTheFirstRecord) {
    EXPECT_EQ(Find("FROST NOVA", SearchMode::Exactly, "name", SearchOrigin::FirstRecord, false), 3);
    EXPECT_EQ(Find("3", SearchMode::AtBeginning, "Rank"), 3);
    EXPECT_EQ(Find("31", SearchMode::Exactly, "ID"), 0);
    EXPECT_EQ(found, (SearchMatch{0, 1}));
}

TEST_F(RecordSearchTest, AMatchNamesTheFirstMatchingColumnOfItsRecord) {
    // Record 3 holds 16 in ID and 31 in Rank; record 0 holds 31 in ID: all columns, the first
    // in column order wins within the record found.
    EXPECT_EQ(Find("31", SearchMode::AnyPosition), 0);
    EXPECT_EQ(found, (SearchMatch{0, 1}));
    table.MoveTo(0);
    EXPECT_EQ(Find("31", SearchMode::AnyPosition, "", SearchOrigin::AfterCurrentRecord), 3);
    EXPECT_EQ(found, (SearchMatch{3, 4}));
    EXPECT_EQ(Find("nova", SearchMode::AnyPosition), 3);
    EXPECT_EQ(found, (SearchMatch{3, 2}));
    EXPECT_EQ(Find("2", SearchMode::Exactly), 2) << "the Index of record 2";
    EXPECT_EQ(found, (SearchMatch{2, 0}));
    EXPECT_EQ(Find("1F", SearchMode::AnyPosition, "Name"), 1);
    EXPECT_EQ(found, (SearchMatch{1, 2}));
}

TEST_F(RecordSearchTest, FindNextGoesOnAfterTheCurrentRecordAndWrapsAround) {
    settings.Value = "1";
    settings.Origin = SearchOrigin::FirstRecord;  // Find Next ignores the origin
    table.MoveTo(0);
    // "1" stands in Index 1 and Speed 0.1 (record 1), in -1 and 1.5 (record 0), and in
    // 16 and 31 (record 3); record 2 holds none.
    std::vector<int> rows;
    for (int step = 0; step < 4; ++step) {
        const std::optional<SearchMatch> match = FindNextRecord(table, view, settings);
        ASSERT_TRUE(match);
        EXPECT_EQ(match->Row, table.CurrentRow());
        rows.push_back(match->Row);
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 3, 0, 1}));

    settings.Value = "Ice";
    table.MoveTo(1);
    EXPECT_EQ(FindNextRecord(table, view, settings), (SearchMatch{1, 2}))
        << "the only match is the current record itself, found again after a full round";

    settings.Value = "absent";
    table.MoveTo(2);
    EXPECT_FALSE(FindNextRecord(table, view, settings));
    EXPECT_EQ(table.CurrentRow(), 2);
}

TEST_F(RecordSearchTest, FindNextOnAnEmptyTableFindsNothing) {
    table.DeleteAllRecords();
    settings.Value = "";
    settings.Mode = SearchMode::AtBeginning;
    EXPECT_FALSE(FindNextRecord(table, view, settings));
    EXPECT_FALSE(FindRecord(table, view, settings));
}

TEST(RecordSearchMessage, NamesTheValueAndTheColumn) {
    SearchSettings settings;
    settings.Value = "Frost\nbolt";
    EXPECT_EQ(NoMatchMessage(settings), "No record matches 'Frost\\nbolt'.");
    settings.Value = "x";
    settings.Field = "Name";
    EXPECT_EQ(NoMatchMessage(settings), "No record matches 'x' in 'Name'.");
    settings.Value = std::string(100, 'a');
    EXPECT_EQ(NoMatchMessage(settings),
              "No record matches '" + std::string(80, 'a') + "...' in 'Name'.");
}

TEST_F(RecordSearchTest, ARecordBeingEditedIsPostedBeforeTheSearch) {
    table.MoveTo(0);
    table.Edit();
    table.Fields(2).SetAsString("Zeta");
    EXPECT_EQ(Find("Zeta", SearchMode::Exactly, "Name"), 0);
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.CellText(0, 2), "Zeta");

    table.MoveTo(1);
    table.Edit();
    table.Fields(2).SetAsString("Omega");
    EXPECT_EQ(Find("Omega", SearchMode::AnyPosition), 1);
}

// Find Next from record 2 looks at records 3, then 0 to 2: progress hears of all four, and a
// search it stops leaves the cursor where it was.
TEST_F(RecordSearchTest, ProgressHearsOfTheRecordsLookedAtAndCanStopTheSearch) {
    settings.Value = "absent";
    std::vector<std::pair<int64_t, int64_t>> heard;
    EXPECT_FALSE(FindNextRecord(table, view, settings, [&](int64_t done, int64_t total) {
        heard.emplace_back(done, total);
    }));
    EXPECT_EQ(heard, (std::vector<std::pair<int64_t, int64_t>>{{0, 4}, {1, 4}}));

    settings.Value = "frost";
    const WorkProgress cancel = [](int64_t, int64_t) { throw WorkCancelled(); };
    EXPECT_THROW(FindNextRecord(table, view, settings, cancel), WorkCancelled);
    EXPECT_EQ(table.CurrentRow(), 2);
}

TEST_F(RecordSearchTest, BlankCellsHaveEmptyText) {
    table.MoveTo(1);
    table.Edit();
    table.Fields(4).Clear();
    table.Post();
    EXPECT_EQ(Find("", SearchMode::Exactly, "Rank"), 1);
}

TEST_F(RecordSearchTest, SearchingAClosedTableFails) {
    table.Close();
    EXPECT_THROW(Find("1", SearchMode::AnyPosition), KelvaneError);
    EXPECT_THROW(FindNextRecord(table, view, settings), KelvaneError);
}

TEST_F(RecordSearchTest, LooksAmongTheShownRecordsInTheOrderShown) {
    view.SetFilter(4, "!=7");               // hides "Ice 1F"
    view.SortBy(4, SortOrder::Descending);  // frost nova, "", Fireball
    settings.Value = "i";
    settings.CaseSensitive = false;
    settings.Mode = SearchMode::AnyPosition;
    table.MoveTo(3);
    EXPECT_EQ(FindNextRecord(table, view, settings), (SearchMatch{0, 2}));
    EXPECT_EQ(FindNextRecord(table, view, settings), (SearchMatch{0, 2}));  // round to itself
    settings.Value = "1";
    settings.Field = "ID";
    EXPECT_EQ(FindNextRecord(table, view, settings), (SearchMatch{3, 1}));  // ID 16
    EXPECT_EQ(FindNextRecord(table, view, settings), (SearchMatch{0, 1}));  // ID 31
}

TEST(RecordSearchLargeTable, FindsTheFirstRecordWhateverColumnMatches) {
    // Thousands of records with repeated numbers: the match in a later column and record
    // count, not the one in an earlier column and later record.
    std::vector<ViewRecord> records(3000, ViewRecord{5, "x", 0.5, 9});
    records[2600].Id = 4242;
    records[2500].Rank = 4242;
    records[1200].Rank = 4242;
    RecordTable table;
    BuildViewTable(table, records);
    const RecordView view(table);
    SearchSettings settings;
    settings.Value = "4242";

    table.MoveTo(1200);
    settings.Origin = SearchOrigin::AfterCurrentRecord;
    FindRecord(table, view, settings);
    EXPECT_EQ(table.CurrentRow(), 2500);
    FindRecord(table, view, settings);
    EXPECT_EQ(table.CurrentRow(), 2600);

    settings.Origin = SearchOrigin::FirstRecord;
    FindRecord(table, view, settings);
    EXPECT_EQ(table.CurrentRow(), 1200);
}

TEST(RecordSearchFieldList, IsFilledOnceFromTheFirstTableSearched) {
    SearchSettings settings;
    RecordTable closed;
    FillFieldList(settings, closed);
    EXPECT_TRUE(settings.FieldList.empty());

    RecordTable first;
    BuildViewTable(first, {});
    FillFieldList(settings, first);
    const std::vector<std::string> firstColumns = {"Index", "ID", "Name", "Speed", "Rank"};
    EXPECT_EQ(settings.FieldList, firstColumns);

    RecordTable second;
    second.AddFieldDef("Index", FieldKind::ftInteger, true);
    second.AddFieldDef("Other", FieldKind::ftInteger, false);
    second.OpenEmpty();
    FillFieldList(settings, second);
    EXPECT_EQ(settings.FieldList, firstColumns);
}

}  // namespace
}  // namespace kelvane::testing

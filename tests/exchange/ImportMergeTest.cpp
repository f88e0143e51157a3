#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoHistory.h"
#include "exchange/ImportRows.h"
#include "exchange/RepeatedImportKeyError.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

constexpr int kId = 1;
constexpr int kName = 2;
constexpr int kSpeed = 3;

// Rows as a comma-separated file gives them, numbered by line.
ImportRows CsvRows(const RecordTable& table, std::vector<int> columns) {
    return ImportRows(table, std::move(columns), ImportSource{"in.csv", " ", "line"});
}

// A row of (ID, Name) for each pair, numbered by line from 2, as after a header line.
ImportRows IdNameRows(const RecordTable& table,
                      const std::vector<std::pair<std::string, std::string>>& source) {
    ImportRows rows = CsvRows(table, {kId, kName});
    for (size_t i = 0; i < source.size(); ++i) {
        rows.AddRow(static_cast<int64_t>(i) + 2);
        rows.SetText(0, source[i].first);
        rows.SetText(1, source[i].second);
    }
    return rows;
}

class ImportMergeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
        AddRecord(table, {"12", "Fire", "1.5"});
        AddRecord(table, {"7", "Frost", "2"});
    }

    RecordTable table;
};

TEST_F(ImportMergeTest, ChangesMatchedRecordsAddsTheRestAndCountsBoth) {
    ImportRows rows = CsvRows(table, {kSpeed, kId});  // the source's own order, Name not given
    rows.AddRow();
    rows.SetText(0, "3.25");
    rows.SetText(1, "7");
    rows.AddRow();
    rows.SetFloat(0, 1.5);
    rows.SetInteger(1, 12);  // holds what it holds already
    rows.AddRow();
    rows.SetInteger(1, 99);  // Speed left blank

    const ImportMergeReport report = MergeImportRows(table, rows, "Import CSV", ImportMatch::ByKey);

    EXPECT_EQ(report.RecordsChanged, 1);
    EXPECT_EQ(report.RecordsUnchanged, 1);
    EXPECT_EQ(report.RecordsAdded, 1);
    EXPECT_EQ(TableTexts(table),
              (Rows{{"0", "12", "Fire", "1.5"}, {"1", "7", "Frost", "3.25"}, {"2", "99", "", ""}}));
}

// By key, a key on two rows of the source or on two records of the table leaves the match a
// guess: the import stops before the table changes, naming the key, its rows and its records
// (numbered from 1 in table order, as the status bar counts them).
TEST_F(ImportMergeTest, ARepeatedKeyByKeyIsRefusedAndChangesNothing) {
    AddRecord(table, {"7", "Ice", "3"});  // 7 now stands on records 2 and 3
    const struct {
        std::vector<std::pair<std::string, std::string>> Source;
        std::string Message;
    } cases[] = {
        {{{"12", "Fire"}, {"7", "Water"}},
         "in.csv line 3: the key '7' stands on records 2 and 3 of the table, so it cannot be "
         "matched to one of them by key. Nothing was changed."},
        {{{"12", "Fire"}, {"40", "New"}, {"12", "Flame"}},
         "in.csv lines 2 and 4: the key '12' stands on each of them and on record 1 of the "
         "table, so they cannot each be matched to a record by key. Nothing was changed."},
        {{{"50", "New"}, {"50", "Newer"}, {"50", "Newest"}},
         "in.csv lines 2, 3 and 4: the key '50' stands on each of them, so they cannot each be "
         "matched to a record by key. Nothing was changed."},
        {{{"50", "New"}, {"50", "Newer"}, {"7", "Water"}, {"51", "a"}, {"51", "b"}},
         "in.csv lines 2 and 3: the key '50' stands on each of them, so they cannot each be "
         "matched to a record by key; 2 more keys repeat as well. Nothing was changed."},
    };
    UndoHistory history(table);
    const Rows before = TableTexts(table);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const ImportRows rows = IdNameRows(table, c.Source);
        try {
            MergeImportRows(table, rows, "Import CSV", ImportMatch::ByKey);
            ADD_FAILURE() << "the import went through";
        } catch (const RepeatedImportKeyError& error) {
            EXPECT_EQ(std::string(error.what()), c.Message);
        }
        EXPECT_EQ(TableTexts(table), before);
        EXPECT_FALSE(history.CanUndo());
    }

    // A key the table repeats but the source does not name is no guess.
    const ImportRows rows = IdNameRows(table, {{"12", "Flame"}, {"99", "New"}});
    const ImportMergeReport report = MergeImportRows(table, rows, "Import CSV", ImportMatch::ByKey);
    EXPECT_EQ(report.RecordsChanged, 1);
    EXPECT_EQ(report.RecordsAdded, 1);
}

// A key on more records than a message should list names the first ones and counts the rest.
TEST_F(ImportMergeTest, AKeyOnManyRecordsListsTheFirstOfThem) {
    for (int i = 0; i < 12; ++i) {
        AddRecord(table, {"0", "n" + std::to_string(i), "0"});
    }
    const ImportRows rows = IdNameRows(table, {{"0", "x"}});
    try {
        MergeImportRows(table, rows, "Import CSV", ImportMatch::ByKey);
        ADD_FAILURE() << "the import went through";
    } catch (const RepeatedImportKeyError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "in.csv line 2: the key '0' stands on records 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 "
                  "and 2 more of the table, so it cannot be matched to one of them by key. "
                  "Nothing was changed.");
    }
}

// A blank key would match no record, or be saved as key 0: it is refused whatever the match.
TEST_F(ImportMergeTest, ABlankKeyIsRefusedNamingItsRow) {
    for (const ImportMatch match : {ImportMatch::ByKey, ImportMatch::ByPosition}) {
        const ImportRows rows = IdNameRows(table, {{"12", "Fire"}, {"", "Nobody"}});
        const Rows before = TableTexts(table);
        try {
            MergeImportRows(table, rows, "Import CSV", match);
            ADD_FAILURE() << "the import went through";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "in.csv line 3, column ID: the key is blank, and every record needs one. "
                      "Nothing was changed.");
        }
        EXPECT_EQ(TableTexts(table), before);
    }
}

// By position row N goes to record N, the key an ordinary column: a table whose keys repeat
// comes back from its own rows unchanged, and rows past its end are added.
TEST_F(ImportMergeTest, ByPositionRowNChangesRecordN) {
    AddRecord(table, {"7", "Ice", "3"});
    const struct {
        const char* Name;
        std::vector<std::pair<std::string, std::string>> Source;
        int Changed;
        int Added;
        int Unchanged;
        Rows Table;
    } cases[] = {
        {"the table's own rows",
         {{"12", "Fire"}, {"7", "Frost"}, {"7", "Ice"}},
         0,
         0,
         3,
         {{"0", "12", "Fire", "1.5"}, {"1", "7", "Frost", "2"}, {"2", "7", "Ice", "3"}}},
        {"keys and names changed, the source repeating a key",
         {{"12", "Fire"}, {"12", "Flame"}, {"8", "Ice"}},
         2,
         0,
         1,
         {{"0", "12", "Fire", "1.5"}, {"1", "12", "Flame", "2"}, {"2", "8", "Ice", "3"}}},
        {"fewer rows leave the rest",
         {{"7", "Frost"}},
         1,
         0,
         0,
         {{"0", "7", "Frost", "1.5"}, {"1", "7", "Frost", "2"}, {"2", "7", "Ice", "3"}}},
        {"more rows are added",
         {{"12", "Fire"}, {"7", "Frost"}, {"7", "Ice"}, {"7", "Snow"}, {"12", "Ash"}},
         0,
         2,
         3,
         {{"0", "12", "Fire", "1.5"},
          {"1", "7", "Frost", "2"},
          {"2", "7", "Ice", "3"},
          {"3", "7", "Snow", "0"},
          {"4", "12", "Ash", "0"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        RecordTable fresh;
        BuildTable(fresh, {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
        for (const auto& record : TableTexts(table)) {
            AddRecord(fresh, {record[1], record[2], record[3]});
        }
        UndoHistory history(fresh);
        const Rows before = TableTexts(fresh);

        const ImportMergeReport report = MergeImportRows(fresh, IdNameRows(fresh, c.Source),
                                                         "Import CSV", ImportMatch::ByPosition);

        EXPECT_EQ(report.RecordsChanged, c.Changed);
        EXPECT_EQ(report.RecordsAdded, c.Added);
        EXPECT_EQ(report.RecordsUnchanged, c.Unchanged);
        EXPECT_EQ(TableTexts(fresh), c.Table);
        EXPECT_EQ(history.CanUndo(), c.Changed + c.Added > 0);
        if (history.CanUndo()) {
            history.Undo();
            EXPECT_EQ(TableTexts(fresh), before);
        }
    }
}

TEST_F(ImportMergeTest, OneUndoStepTakesTheWholeImportBack) {
    UndoHistory history(table);
    ImportRows rows = CsvRows(table, {kId, kName});
    for (const int id : {7, 12, 40, 41}) {
        rows.AddRow();
        rows.SetInteger(0, id);
        rows.SetText(1, "n" + std::to_string(id));
    }
    const Rows before = TableTexts(table);
    MergeImportRows(table, rows, "Import CSV", ImportMatch::ByKey);
    ASSERT_EQ(table.RecordCount(), 4);

    EXPECT_EQ(history.UndoName(), "Import CSV");
    history.Undo();
    EXPECT_EQ(TableTexts(table), before);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(ImportMergeTest, ValuesTheColumnCannotHoldAreRefusedBeforeTheTableIsTouched) {
    struct Case {
        int Column;
        std::string Text;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {kId, "abc", "'abc' is not a valid integer value for field 'ID'"},
        {kId, "1.5", "'1.5' is not a valid integer value for field 'ID'"},
        {kSpeed, "fast", "'fast' is not a valid floating point value for field 'Speed'"},
        {kId, "1e300", "'1e300' is not a valid integer value for field 'ID'"},
        {kId, "-0x80000001", "'-0x80000001' is not a valid integer value for field 'ID'"},
        {kSpeed, "1e39",
         "'1e39' is beyond the range of a 32-bit float (-3.4028235E38 to 3.4028235E38) for "
         "field 'Speed'"},
        {kSpeed, "-1e-50",
         "'-1e-50' is nearer to 0 than the smallest 32-bit float (1.4E-45) for field 'Speed', "
         "so it would be saved as 0"},
        {kName, std::string("ab\0cd", 5),
         "the text for field 'Name' holds a NUL byte after 2 bytes ('ab\\0cd'), and a NUL ends "
         "a text in a DBC file, so it could not be saved as it is"},
    };
    for (const Case& c : cases) {
        ImportRows rows = CsvRows(table, {kId, kName, kSpeed});
        rows.AddRow();
        try {
            rows.SetText(c.Column - 1, c.Text);
            ADD_FAILURE() << c.Text << " was taken";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(error.what(), c.Message);
        }
    }
}

TEST_F(ImportMergeTest, NumbersAreConvertedOnlyWhereNothingIsLost) {
    ImportRows rows = CsvRows(table, {kId, kName, kSpeed});
    rows.AddRow();
    rows.SetInteger(0, 4294967295);  // an unsigned value keeps its bit pattern
    rows.SetInteger(1, 42);
    rows.SetInteger(2, 3);
    EXPECT_EQ(rows.IntegerAt(0, 0), -1);
    EXPECT_EQ(rows.TextAt(0, 1), "42");
    EXPECT_EQ(rows.FloatAt(0, 2), 3.0);
    rows.SetFloat(0, 5.0);
    EXPECT_EQ(rows.IntegerAt(0, 0), 5);

    EXPECT_THROW(rows.SetInteger(0, 4294967296), KelvaneError);
    EXPECT_THROW(rows.SetInteger(0, -2147483649), KelvaneError);
    EXPECT_THROW(rows.SetFloat(0, 5.5), KelvaneError);
    EXPECT_THROW(rows.SetFloat(2, 1e300), KelvaneError);  // a database's REAL past a float
}

TEST_F(ImportMergeTest, TextSetTwiceKeepsTheSecondAndRowsStayApart) {
    ImportRows rows = CsvRows(table, {kId, kName});
    rows.AddRow();
    rows.SetText(1, "first");
    rows.AddRow();
    rows.SetText(1, "long text");
    rows.SetText(1, "x");
    rows.AddRow();
    EXPECT_EQ(rows.TextAt(0, 1), "first");
    EXPECT_EQ(rows.TextAt(1, 1), "x");
    EXPECT_EQ(rows.TextAt(2, 1), "");
    EXPECT_TRUE(rows.IsBlank(2, 1));
    rows.SetText(1, "");
    EXPECT_FALSE(rows.IsBlank(2, 1));  // an empty text is a value of a string column
}

TEST_F(ImportMergeTest, ColumnsWithoutTheKeyOrWithARepeatAreRefused) {
    EXPECT_THROW(CsvRows(table, {kName, kSpeed}), KelvaneError);
    EXPECT_THROW(CsvRows(table, {kId, kName, kName}), KelvaneError);
    EXPECT_THROW(CsvRows(table, {0, kId}), KelvaneError);
    try {
        CsvRows(table, {kName});
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The key column ID is missing, so no record can be matched");
    }
}

}  // namespace
}  // namespace kelvane

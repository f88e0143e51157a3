#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/UndoHistory.h"
#include "exchange/ImportRows.h"
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
    ImportRows rows(table, {kSpeed, kId});  // the source's own order, Name not given
    rows.AddRow();
    rows.SetText(0, "3.25");
    rows.SetText(1, "7");
    rows.AddRow();
    rows.SetFloat(0, 1.5);
    rows.SetInteger(1, 12);  // holds what it holds already
    rows.AddRow();
    rows.SetInteger(1, 99);  // Speed left blank

    const ImportMergeReport report = MergeImportRows(table, rows, "Import CSV");

    EXPECT_EQ(report.RecordsChanged, 1);
    EXPECT_EQ(report.RecordsUnchanged, 1);
    EXPECT_EQ(report.RecordsAdded, 1);
    EXPECT_EQ(TableTexts(table),
              (Rows{{"0", "12", "Fire", "1.5"}, {"1", "7", "Frost", "3.25"}, {"2", "99", "", ""}}));
}

TEST_F(ImportMergeTest, ARepeatedKeySeesWhatTheRowsBeforeItWrote) {
    ImportRows rows(table, {kId, kName});
    const std::vector<std::pair<int, std::string>> source = {
        {7, "Ice"},     // changes Frost
        {7, "Ice"},     // finds what the row before wrote
        {50, "New"},    // adds
        {50, "Newer"},  // changes the record just added
        {12, "Fire"},   // as it is
    };
    for (const auto& [id, name] : source) {
        rows.AddRow();
        rows.SetInteger(0, id);
        rows.SetText(1, name);
    }

    const ImportMergeReport report = MergeImportRows(table, rows, "Import CSV");

    EXPECT_EQ(report.RecordsChanged, 2);
    EXPECT_EQ(report.RecordsUnchanged, 2);
    EXPECT_EQ(report.RecordsAdded, 1);
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "12", "Fire", "1.5"},
                                       {"1", "7", "Ice", "2"},
                                       {"2", "50", "Newer", "0"}}));  // a new record's default
}

TEST_F(ImportMergeTest, OneUndoStepTakesTheWholeImportBack) {
    UndoHistory history(table);
    ImportRows rows(table, {kId, kName});
    for (const int id : {7, 12, 40, 41}) {
        rows.AddRow();
        rows.SetInteger(0, id);
        rows.SetText(1, "n" + std::to_string(id));
    }
    const Rows before = TableTexts(table);
    MergeImportRows(table, rows, "Import CSV");
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
    };
    for (const Case& c : cases) {
        ImportRows rows(table, {kId, kName, kSpeed});
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
    ImportRows rows(table, {kId, kName, kSpeed});
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
}

TEST_F(ImportMergeTest, TextSetTwiceKeepsTheSecondAndRowsStayApart) {
    ImportRows rows(table, {kId, kName});
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
    EXPECT_THROW(ImportRows(table, {kName, kSpeed}), KelvaneError);
    EXPECT_THROW(ImportRows(table, {kId, kName, kName}), KelvaneError);
    EXPECT_THROW(ImportRows(table, {0, kId}), KelvaneError);
    try {
        ImportRows(table, {kName});
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The key column ID is missing, so no record can be matched");
    }
}

}  // namespace
}  // namespace kelvane

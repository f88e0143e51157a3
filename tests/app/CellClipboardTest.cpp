#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CellCopy.h"
#include "app/CellEntry.h"
#include "app/CellFacts.h"
#include "app/TabSeparatedText.h"
#include "core/base/KelvaneError.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoHistory.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane::testing {
namespace {

// ---- Tab-separated text ---------------------------------------------------------------------

struct ReadCase {
    const char* Name;
    std::string Text;
    CellTexts Rows;
};

TEST(TabSeparatedTextTest, ReadsWhatSpreadsheetsCopy) {
    const std::vector<ReadCase> cases = {
        {"nothing", "", {}},
        {"one cell", "abc", {{"abc"}}},
        {"LF lines, trailing line end", "a\tb\n1\t2\n", {{"a", "b"}, {"1", "2"}}},
        {"CR LF lines, no trailing line end", "a\tb\r\n1\t2", {{"a", "b"}, {"1", "2"}}},
        {"empty cells", "\tb\t\n\t\t", {{"", "b", ""}, {"", "", ""}}},
        {"empty row in between", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"quoted tab and line breaks", "\"x\ty\"\t\"1\r\n2\"\r\nz", {{"x\ty", "1\r\n2"}, {"z"}}},
        {"doubled quotes", "\"say \"\"hi\"\"\"\tq", {{"say \"hi\"", "q"}}},
        {"quote inside a plain cell", "5\" nail\tb", {{"5\" nail", "b"}}},
        {"quote not closing the cell", "\"ab\"c\td", {{"\"ab\"c", "d"}}},
        {"quote never closed", "\"ab\tc", {{"\"ab", "c"}}},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ReadTabSeparated(c.Text), c.Rows) << c.Name;
    }
}

TEST(TabSeparatedTextTest, WrittenTextReadsBackCellForCell) {
    const CellTexts rows = {{"plain", "", "tab\there"},
                            {"CR LF\r\nline", "\"quoted\"", "lone \" quote"},
                            {"LF\nonly", "CR\ronly", "-1.5"}};
    const std::string text = WriteTabSeparated(rows);
    EXPECT_EQ(text.find("\r\n\""), std::string::npos);  // rows end with LF alone
    EXPECT_EQ(ReadTabSeparated(text), rows);
    EXPECT_EQ(WriteTabSeparated({{"one"}}), "one");
}

// ---- Copying and entering cells --------------------------------------------------------------

constexpr int kId = 1;  // shown in hexadecimal
constexpr int kName = 2;
constexpr int kSpeed = 3;
constexpr int kRank = 4;

// Makes the ID column hexadecimal, as the grid's setup does for a field shown in hex.
void ShowInHex(RecordTable& table) {
    table.Presentation(kId).HexHooks = true;
    table.Presentation(kId).ValidChars = CharSet::Of("0123456789ABCDEFabcdef");
}

class CellEntryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(
            table,
            {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}, {"Rank"}});
        ShowInHex(table);
        table.Presentation(kRank).Caption = "Spell rank";
        table.Presentation(kRank).ValidChars = CharSet::Of("0123456789-");
        AddRecord(table, {"16", "Fireball", "1.5", "-1"});
        AddRecord(table, {"255", "Frost Nova", "0.25", "7"});
        AddRecord(table, {"0", "", "", "0"});
        history.MarkSaved();
    }

    std::vector<RecordId> RecordsFrom(int row) const {
        std::vector<RecordId> records;
        for (; row < table.RecordCount(); ++row) {
            records.push_back(table.RecordIdAt(row));
        }
        return records;
    }

    RecordTable table;
    UndoHistory history{table};
};

TEST_F(CellEntryTest, CopiesShownTextsWithOrWithoutCaptions) {
    EXPECT_EQ(CopyCells(table, {1, 0}, kId, kName, false),
              (CellTexts{{"FF", "Frost Nova"}, {"10", "Fireball"}}));
    EXPECT_EQ(CopyCells(table, {2}, kSpeed, kRank, true),
              (CellTexts{{"Speed", "Spell rank"}, {"", "0"}}));
}

TEST_F(CellEntryTest, CopiedBlockPastedElsewhereGivesTheSameTexts) {
    const CellTexts copied = CopyCells(table, {0, 1}, kId, kRank, false);
    RecordTable other;
    UndoHistory otherHistory(other);
    BuildTable(other,
               {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}, {"Rank"}});
    ShowInHex(other);

    const CellEntryOutcome outcome =
        EnterCells(other, {}, kId, ReadTabSeparated(WriteTabSeparated(copied)), "Paste");

    EXPECT_EQ(outcome.Rows, 2);
    EXPECT_EQ(outcome.Columns, 4);
    EXPECT_EQ(outcome.AddedRecords, 2);
    EXPECT_EQ(CopyCells(other, {0, 1}, kId, kRank, false), copied);
    EXPECT_EQ(otherHistory.UndoName(), "Paste");
}

TEST_F(CellEntryTest, BlockGoesRightAndDownFromTheCellAndAddsRecordsBeyondTheLast) {
    EnterCells(table, RecordsFrom(1), kSpeed, {{"2.5", "3"}, {"", "4"}, {"9", "5"}}, "Paste");

    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(RowTexts(table, 0), (std::vector<std::string>{"0", "16", "Fireball", "1.5", "-1"}));
    EXPECT_EQ(RowTexts(table, 1), (std::vector<std::string>{"1", "255", "Frost Nova", "2.5", "3"}));
    EXPECT_EQ(RowTexts(table, 2), (std::vector<std::string>{"2", "0", "", "", "4"}));
    // The new record takes the record count as Index, as an appended one does.
    EXPECT_EQ(RowTexts(table, 3), (std::vector<std::string>{"3", "0", "", "9", "5"}));
    EXPECT_EQ(table.CurrentRow(), 1);

    history.Undo();
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(RowTexts(table, 1),
              (std::vector<std::string>{"1", "255", "Frost Nova", "0.25", "7"}));
    EXPECT_FALSE(history.ChangedSinceSave());
}

TEST_F(CellEntryTest, AnyRefusedTextLeavesTheTableAsItWasAndNamesTheCell) {
    struct Case {
        const char* Name;
        int Column;
        CellTexts Rows;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {"not hexadecimal",
         kId,
         {{"1F"}, {"123456789"}},
         "Record 2, column 'ID': '$123456789' is not a valid integer value. Nothing was changed."},
        {"not an integer",
         kName,
         {{"x", "1", "2"}, {"y", "2", "1-2"}},
         "Record 2, column 'Spell rank': '1-2' is not a valid integer value. Nothing was "
         "changed."},
        {"integer out of range",
         kRank,
         {{"1"}, {"2"}, {"3"}, {"99999999999"}},
         "New record 1, column 'Spell rank': '99999999999' is not a valid integer value. "
         "Nothing was changed."},
        {"not a float",
         kSpeed,
         {{"1E"}},
         "Record 1, column 'Speed': '1E' is not a valid floating point value. Nothing was "
         "changed."},
        {"float out of range",
         kSpeed,
         {{"1"}, {"1e39"}},
         "Record 2, column 'Speed': '1e39' is beyond the range of a 32-bit float "
         "(-3.4028235E38 to 3.4028235E38). Nothing was changed."},
        {"text with a NUL",
         kName,
         {{std::string("Fire\0ball", 9)}},
         "Record 1, column 'Name': the text holds a NUL byte after 4 bytes ('Fire\\0ball'), and "
         "a NUL ends a text in a DBC file, so it could not be saved as it is. Nothing was "
         "changed."},
        {"character the column refuses",
         kRank,
         {{"+5"}},
         "Record 1, column 'Spell rank': '+' may not be typed into this column. Nothing was "
         "changed."},
        {"blank Index",
         0,
         {{"7"}, {""}},
         "Record 2, column 'Index': a record needs a value here. Nothing was changed."},
        {"wider than the table",
         kSpeed,
         {{"1", "2"}, {"1", "2", "3"}},
         "The text is 3 columns wide, but from 'Speed' on the table has 2. Nothing was "
         "changed."},
    };
    const auto before = TableTexts(table);
    for (const Case& c : cases) {
        try {
            EnterCells(table, RecordsFrom(0), c.Column, c.Rows, "Paste");
            ADD_FAILURE() << c.Name << ": accepted";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()), c.Message) << c.Name;
        }
        EXPECT_EQ(TableTexts(table), before) << c.Name;
        EXPECT_FALSE(history.ChangedSinceSave()) << c.Name;
    }
}

// ---- What the Cell pane says ---------------------------------------------------------------

TEST_F(CellEntryTest, FactsShowNumbersInTheirOtherForms) {
    EXPECT_EQ(CellFacts(table, 0, kName), std::vector<std::string>{"Length: 8"});
    EXPECT_EQ(CellFacts(table, 0, kRank),
              (std::vector<std::string>{"Hexadecimal: 0xFFFFFFFF",
                                        "Same bits as float: NAN(0xFFFFFFFF)"}));
    EXPECT_EQ(CellFacts(table, 0, kSpeed),
              (std::vector<std::string>{"Bits: 0x3FC00000", "Same bits as integer: 1069547520"}));
    EXPECT_EQ(CellFacts(table, 2, kSpeed), std::vector<std::string>{"Blank"});
    table.MoveTo(1);
    table.Edit();
    table.Fields(kRank).SetAsInteger(0x3FC00000);
    EXPECT_EQ(CellFacts(table, 1, kRank),
              (std::vector<std::string>{"Hexadecimal: 0x3FC00000", "Same bits as float: 1.5"}));
}

}  // namespace
}  // namespace kelvane::testing

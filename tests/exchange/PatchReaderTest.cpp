#include "core/table/Field.h"
#include "exchange/PatchReader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/exchange/ListenerLog.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

// Column numbers: Index -1, ID 0, Name 1, Note 2, Speed 3, Rank 4.
constexpr int kIndex = 0;
constexpr int kId = 1;
constexpr int kName = 2;
constexpr int kNote = 3;
constexpr int kSpeed = 4;
constexpr int kRank = 5;

struct CellChange {
    int Row;
    int Column;
    std::string Text;
};

class PatchReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(table, {{"ID"},
                           {"Name", FieldKind::ftString},
                           {"Note", FieldKind::ftString},
                           {"Speed", FieldKind::ftFloat},
                           {"Rank"}});
        AddRecord(table, {"12", "a", "", "1", "1"});
        AddRecord(table, {"20", "b", "", "2", "2"});
        AddRecord(table, {"12", "c", "", "3", "3"});  // a second record with key 12
        initial = TableTexts(table);
    }

    Rows Expected(const std::vector<CellChange>& changes, const Rows& added = {}) const {
        Rows rows = initial;
        rows.insert(rows.end(), added.begin(), added.end());
        for (const CellChange& change : changes) {
            rows[static_cast<size_t>(change.Row)][static_cast<size_t>(change.Column)] = change.Text;
        }
        return rows;
    }

    // The message and line of the failure that stops the text.
    PatchLineError FailureOf(std::string_view text) {
        try {
            ApplyPatchText(table, text);
        } catch (const PatchLineError& error) {
            return error;
        }
        ADD_FAILURE() << "applied without failure: " << text;
        return PatchLineError(0, "");
    }

    RecordTable table;
    Rows initial;
};

TEST_F(PatchReaderTest, ChangesTheFirstRecordWithTheKeyOrAddsOne) {
    const struct {
        std::string_view Text;
        std::vector<CellChange> Changes;
        Rows Added;
    } cases[] = {
        {"12:3=3.5", {{0, kSpeed, "3.5"}}, {}},
        {"99:1=abc", {}, {{"3", "99", "abc", "", "0", "0"}}},
        {"12:1=\"a,b\",2=5", {{0, kName, "a,b"}, {0, kNote, "5"}}, {}},
        {"12:2=\"a,b\"", {{0, kNote, "a,b"}}, {}},
        {"12:2=\"ab\"", {{0, kNote, "ab"}}, {}},
        {"12:1=a//b", {}, {}},
        {"12:1=a;b", {}, {}},
        {"12:3=", {{0, kSpeed, ""}}, {}},
        {"12:4=$FF,2= spaced ", {{0, kRank, "255"}, {0, kNote, " spaced "}}, {}},
        {"20:0=21", {{1, kId, "21"}}, {}},
        {"12:-1=1", {{0, kIndex, "1"}}, {}},  // shares Index 1 and keeps its place
        {"12:1=x\r\n12:2=y", {{0, kName, "x"}, {0, kNote, "y"}}, {}},
        {"12:1=x\n20:1=y\r99:1=z\r\n",
         {{0, kName, "x"}, {1, kName, "y"}},
         {{"3", "99", "z", "", "0", "0"}}},
        {"// header\r\n\r\n   \r\n12:1=x;y\r\n20:1=y\r\n", {{1, kName, "y"}}, {}},
        // " 20" is no record's key text, but as a new key it reads as 20.
        {" 20:1=x", {}, {{"3", "20", "x", "", "0", "0"}}},
    };
    for (const auto& c : cases) {
        SetUp();
        ApplyPatchText(table, c.Text);
        table.First();  // posts the last line's record, placing a new one by its Index
        EXPECT_EQ(TableTexts(table), Expected(c.Changes, c.Added)) << c.Text;
    }
}

TEST_F(PatchReaderTest, FailuresStopWhereTheyHappen) {
    const struct {
        std::string_view Text;
        int Line;
        std::string Message;
        std::vector<CellChange> Changes;  // what stays applied
    } cases[] = {
        {"12:1=5,,2=6", 1, "pair 2: no column number and no value", {{0, kName, "5"}}},
        {"12:", 1, "pair 1: no column number and no value", {}},
        {"12:1=x,5,2=y", 1, "pair 2: no column number before '=' in '5'", {{0, kName, "x"}}},
        {"12:x=1", 1, "pair 1: 'x' is not a column number", {}},
        {"xyz\r\n12:1=x", 1, "the line does not start with a key (no ':' after one): 'xyz'", {}},
        {"12:1=x\r\nxyz\r\n20:1=y",
         2,
         "the line does not start with a key (no ':' after one): 'xyz'; probably the rest of a "
         "text with a line break",
         {{0, kName, "x"}}},
        {"12:9=1", 1, "column 9: no such column: the table has columns -1 to 4", {}},
        {"12:1=x,-2=1",
         1,
         "column -2: no such column: the table has columns -1 to 4",
         {{0, kName, "x"}}},
        {"20:3=fast",
         1,
         "column 3: 'fast' is not a valid floating point value for field 'Speed'",
         {}},
        {"20:4=1.5", 1, "column 4: '1.5' is not a valid integer value for field 'Rank'", {}},
        // A text with a double quote before a comma, written in quotes, breaks off there.
        {"12:1=\"He said \"hi\", then\",4=2",
         1,
         "pair 2: no column number before '=' in ' then\"'; probably the text of column 1 held "
         "a double quote before a comma, where patch text ends a quoted value",
         {{0, kName, "He said \"hi"}}},
        {"12:2=\"x, y\",4=2,3=q",
         1,
         "column 3: 'q' is not a valid floating point value for field 'Speed'",
         {{0, kNote, "x, y"}, {0, kRank, "2"}}},
        {"12:2=\"x\",3=q",
         1,
         "column 3: 'q' is not a valid floating point value for field 'Speed'; probably the text "
         "of column 2 held a double quote before a comma, where patch text ends a quoted value",
         {{0, kNote, "x"}}},
        // Posting a blank Index fails when the next line moves on.
        {"// c\r\n\r\n12:-1=\r\n20:1=y", 4, "Field 'Index' must have a value", {{0, kIndex, ""}}},
    };
    for (const auto& c : cases) {
        SetUp();
        const PatchLineError error = FailureOf(c.Text);
        EXPECT_EQ(error.LineNumber, c.Line) << c.Text;
        EXPECT_EQ(error.what(), c.Message) << c.Text;
        EXPECT_EQ(TableTexts(table), Expected(c.Changes)) << c.Text;
    }
}

// A failing line can be megabytes long and hold any byte: the message quotes at most 80
// characters of it, control bytes as escapes, and a NUL does not end the message.
TEST_F(PatchReaderTest, MessagesQuoteUserDataCutAndEscaped) {
    using namespace std::string_literals;
    const std::string longValue(200, '7');
    const std::string cut80 = std::string(80, '7') + "...";
    const struct {
        std::string Text;
        std::string Message;
    } cases[] = {
        {"20:4=" + longValue,
         "column 4: '" + cut80 + "' is not a valid integer value for field 'Rank'"},
        {"20:3=1\x01\t2\x7f\0!\r"s,
         "column 3: '1\\x01\\t2\\x7f\\0!' is not a valid floating point value for field "
         "'Speed'"},
        {"12:" + longValue + "=1", "pair 1: '" + cut80 + "' is not a column number"},
        {"12:\x1b[2J=1", "pair 1: '\\x1b[2J' is not a column number"},
        {"xy\0z"s, "the line does not start with a key (no ':' after one): 'xy\\0z'"},
        {longValue, "the line does not start with a key (no ':' after one): '" + cut80 + "'"},
    };
    for (const auto& c : cases) {
        SetUp();
        const PatchLineError error = FailureOf(c.Text);
        EXPECT_EQ(error.what(), c.Message) << c.Text;
    }
}

TEST_F(PatchReaderTest, ANewRecordStaysWhenItsKeyFails) {
    const PatchLineError error = FailureOf("20:1=y\r\nabc:1=x");
    EXPECT_EQ(error.LineNumber, 2);
    EXPECT_STREQ(error.what(),
                 "the line does not start with a key ('abc' is not a valid integer value for field "
                 "'ID'): 'abc:1=x'; probably the rest of a text with a line break");
    EXPECT_EQ(table.State(), TableState::Insert);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(testing::RowTexts(table, table.CurrentRow()),
              (std::vector<std::string>{"3", "0", "", "", "0", "0"}));
    EXPECT_EQ(table.CellText(1, kName), "y");
}

TEST_F(PatchReaderTest, LaterLinesSeeChangedKeys) {
    // The first key-12 record leaves its key; the next line for 12 finds the second one.
    ApplyPatchText(table, "12:0=50\r\n50:1=x\r\n12:1=y\r\n20:0=21\r\n20:1=new");
    table.First();
    EXPECT_EQ(TableTexts(table),
              Expected({{0, kId, "50"}, {0, kName, "x"}, {2, kName, "y"}, {1, kId, "21"}},
                       {{"3", "20", "new", "", "0", "0"}}));
}

TEST_F(PatchReaderTest, LaterLinesSeeRecordsMovedByIndex) {
    // The first key-12 record moves behind the second, which is then the first with key 12.
    ApplyPatchText(table, "12:-1=5\r\n12:1=y");
    EXPECT_EQ(TableTexts(table), (Rows{{"1", "20", "b", "", "2", "2"},
                                       {"2", "12", "y", "", "3", "3"},
                                       {"5", "12", "a", "", "1", "1"}}));
}

TEST_F(PatchReaderTest, TheLastLinesRecordStaysCurrentAndInEditing) {
    const PatchApplyReport report = ApplyPatchText(table, "12:1=x\r\n99:1=new\r\n20:1=y");
    EXPECT_EQ(report.LinesApplied, 3);
    EXPECT_EQ(report.RecordsAdded, 1);
    EXPECT_EQ(table.State(), TableState::Edit);
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.RecordCount(), 4);  // the earlier lines' records are posted
    table.First();
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.CellText(1, kName), "y");

    ApplyPatchText(table, "77:1=added last");
    EXPECT_EQ(table.State(), TableState::Insert);
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.CellText(table.CurrentRow(), kName), "added last");
}

TEST_F(PatchReaderTest, TheUsersEditIsPostedByTheFirstLineOnly) {
    table.MoveTo(1);
    table.Edit();
    table.Fields(kNote).SetAsString("typed");
    ApplyPatchText(table, "// nothing but a comment\r\n\r\n");
    EXPECT_EQ(table.State(), TableState::Edit);
    ApplyPatchText(table, "12:1=x");
    EXPECT_EQ(table.CurrentRow(), 0);
    EXPECT_EQ(table.CellText(1, kNote), "typed");
}

TEST_F(PatchReaderTest, TheGridHearsOneReset) {
    testing::ListenerLog log;
    table.AddListener(&log);
    ApplyPatchText(table, "12:1=x\r\n99:1=new\r\n12:-1=9\r\n20:1=y");
    table.RemoveListener(&log);
    EXPECT_EQ(log.AllButResets(), 0);
    EXPECT_EQ(log.Resets, 1);
}

TEST_F(PatchReaderTest, LongStringsAreKeptWhole) {
    ApplyPatchText(table, "12:1=" + std::string(70000, 'x'));
    EXPECT_EQ(table.CellText(0, kName), std::string(70000, 'x'));
}

TEST(PatchReader, ClosedTableFailsAtTheFirstLineThatIsNoComment) {
    RecordTable table;
    BuildTable(table, {{"ID"}});
    table.Close();
    EXPECT_NO_THROW(ApplyPatchText(table, "// only a comment"));
    try {
        ApplyPatchText(table, "// a comment\r\n12:0=1");
        FAIL() << "a closed table took a line";
    } catch (const PatchLineError& error) {
        EXPECT_EQ(error.LineNumber, 2);
        EXPECT_STREQ(error.what(), "Cannot perform this operation on a closed dataset");
    }
}

// Records whose place is set by their Index: a new record can land between others, and a key
// can be shared by a record added in the middle and one further down.
TEST(PatchReader, FindsRecordsPlacedByTheirIndex) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    for (const auto& [index, id] : {std::pair{0, 10}, {1, 11}, {5, 30}}) {
        table.Append();
        table.Fields(0).SetAsInteger(index);
        table.Fields(1).SetAsInteger(id);
        table.Post();
    }
    ApplyPatchText(table,
                   "99:1=new\r\n"       // Index 3: between 11 and 30
                   "30:1=found\r\n"     // still found behind the new record
                   "99:1=again\r\n"     // the new record, found by its key
                   "30:0=99\r\n"        // now two records with key 99, the new one first
                   "99:1=first99\r\n"   // so this changes the new record
                   "10:0=99\r\n"        // a record before both takes key 99 too
                   "99:1=earliest\r\n"  // and is now the first with it
                   "11:1=last");
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "99", "earliest"},
                                       {"1", "11", "last"},
                                       {"3", "99", "first99"},
                                       {"5", "99", "found"}}));
}

TEST(PatchReader, NewRecordSharingAnIndexKeepsOthersFindable) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    for (int i = 0; i < 10; ++i) {
        AddRecord(table, {std::to_string(100 + i), ""});
    }
    table.MoveTo(3);
    table.Delete();  // nine records; a new one gets Index 9, shared with the record of 109
    ApplyPatchText(table, "500:1=x\r\n109:1=y\r\n500:1=z\r\n109:1=w\r\n");
    table.First();
    int changed = 0;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const std::string id = table.CellText(row, 1);
        const std::string name = table.CellText(row, 2);
        if (id == "500" || id == "109") {
            ++changed;
            EXPECT_EQ(table.CellText(row, 0), "9");
            EXPECT_EQ(name, id == "500" ? "z" : "w");
        } else {
            EXPECT_EQ(name, "") << id;
        }
    }
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(table.RecordCount(), 10);
}

TEST(PatchFile, EmptyPathDoesNothingAndMissingFileChangesNothing) {
    const testing::TempDir folder;
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    AddRecord(table, {"12", "a"});
    const PatchApplyReport nothing = ApplyPatchFile(table, "");
    EXPECT_EQ(nothing.LinesApplied, 0);
    const std::string missing = folder.File("missing.txt");
    try {
        ApplyPatchFile(table, missing);
        FAIL() << "a missing file was applied";
    } catch (const PatchLineError&) {
        FAIL() << "a file error is no line error";
    } catch (const KelvaneError& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot open file \"" + missing + "\". "))
            << error.what();
    }
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "12", "a"}}));
    EXPECT_EQ(table.State(), TableState::Browse);

    folder.Write("patch.txt", "12:1=b\r\n13:1=c\r\n");
    EXPECT_EQ(ApplyPatchFile(table, folder.File("patch.txt")).RecordsAdded, 1);
    table.First();
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "12", "b"}, {"1", "13", "c"}}));
}

TEST(PatchFile, AFailingLineIsNamedByFileAndNumber) {
    const testing::TempDir folder;
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    folder.Write("patch.txt", "12:1=b\r\n\r\n13:x=c\r\n");
    try {
        ApplyPatchFile(table, folder.File("patch.txt"));
        FAIL() << "a failing line was applied";
    } catch (const PatchLineError& error) {
        EXPECT_EQ(error.LineNumber, 3);
        EXPECT_EQ(error.what(),
                  folder.File("patch.txt") + " line 3, pair 1: 'x' is not a column number");
    }
}

}  // namespace
}  // namespace kelvane

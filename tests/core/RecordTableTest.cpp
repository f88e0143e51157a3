#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/base/KelvaneError.h"

namespace kelvane {
namespace {

// A table with Index, an integer, a float and a string column.
void BuildTable(RecordTable& table) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("count", FieldKind::ftInteger, false);
    table.AddFieldDef("speed", FieldKind::ftFloat, false);
    table.AddFieldDef("name", FieldKind::ftString, false);
    table.OpenEmpty();
}

void AppendRecords(RecordTable& table, int count) {
    for (int i = 0; i < count; ++i) {
        table.Append();
        table.Fields(1).SetAsInteger(i * 10);
        table.Post();
    }
}

std::vector<int32_t> Indexes(const RecordTable& table) {
    std::vector<int32_t> indexes;
    for (int row = 0; row < table.RecordCount(); ++row) {
        indexes.push_back(table.IntegerAt(row, 0));
    }
    return indexes;
}

class RecordTableTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildTable(table); }
    RecordTable table;
};

TEST(RecordTableColumns, NamesAreUniqueWithoutCaseAndNotEmpty) {
    RecordTable table;
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("Spell", FieldKind::ftInteger, false);
    try {
        table.AddFieldDef("spell", FieldKind::ftInteger, false);
        FAIL() << "a duplicate name was accepted";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "A component named spell already exists");
    }
    try {
        table.AddFieldDef("", FieldKind::ftInteger, false);
        FAIL() << "an empty name was accepted";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field name missing");
    }
    EXPECT_EQ(table.FieldDefCount(), 2);
    table.ClearFieldDefs();
    EXPECT_NO_THROW(table.AddFieldDef("SPELL", FieldKind::ftInteger, false));
}

TEST(RecordTableColumns, ClosedTableShowsNoColumnsAndRefusesWork) {
    RecordTable table;
    BuildTable(table);
    table.Close();
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(table.FieldCount(), 0);
    EXPECT_EQ(table.FieldDefCount(), 4);
    EXPECT_THROW(table.Append(), KelvaneError);
}

TEST_F(RecordTableTest, NewRecordStartsWithRecordCountAndZeros) {
    AppendRecords(table, 10);
    table.Append();
    EXPECT_EQ(table.State(), TableState::Insert);
    EXPECT_EQ(table.Fields(0).AsInteger(), 10);
    EXPECT_EQ(table.Fields(1).AsString(), "0");
    EXPECT_EQ(table.Fields(2).AsString(), "0");
    EXPECT_EQ(table.Fields(3).AsString(), "");
    EXPECT_FALSE(table.Fields(1).IsNull());
    EXPECT_FALSE(table.Modified());
}

// Storage slots are reused and grown ahead: a new record must not show what a deleted one left.
TEST_F(RecordTableTest, ANewRecordInADeletedRecordsPlaceStartsFromTheDefaults) {
    AppendRecords(table, 200);  // past the first growth of the columns
    table.Last();
    table.Edit();
    table.Fields(2).SetAsFloat(2.5);
    table.Fields(3).SetAsString("left behind");
    table.Fields(1).Clear();
    table.Post();
    table.Delete();
    table.Append();
    table.Post();
    EXPECT_EQ(table.RecordCount(), 200);
    const int row = table.CurrentRow();
    EXPECT_EQ(table.CellText(row, 0), "199");
    EXPECT_EQ(table.CellText(row, 1), "0");
    EXPECT_EQ(table.CellText(row, 2), "0");
    EXPECT_EQ(table.CellText(row, 3), "");
    EXPECT_FALSE(table.IsBlank(row, 1));
    EXPECT_EQ(table.IntegerAt(150, 1), 1500);
}

TEST_F(RecordTableTest, AnEditedRecordShowsTheCellsSetAndTheStoredOnes) {
    AppendRecords(table, 3);
    table.MoveTo(1);
    table.Edit();
    table.Fields(3).SetAsString("new");
    table.Fields(1).SetAsInteger(7);
    EXPECT_EQ(table.Fields(1).AsInteger(), 7);
    EXPECT_EQ(table.Fields(3).AsString(), "new");
    EXPECT_EQ(table.Fields(0).AsInteger(), 1);
    table.Cancel();
    EXPECT_EQ(table.CellText(1, 1), "10");
    EXPECT_EQ(table.CellText(1, 3), "");
}

TEST_F(RecordTableTest, DeletedRecordsLeaveTheirIndexToBeShared) {
    AppendRecords(table, 10);
    table.First();
    table.Delete();
    table.Append();
    table.Fields(1).SetAsInteger(99);
    table.Post();
    EXPECT_EQ(table.RecordCount(), 10);
    EXPECT_EQ(Indexes(table), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 9}));
    // Append places a record after those sharing its Index.
    EXPECT_EQ(table.IntegerAt(9, 1), 99);
    EXPECT_EQ(table.CurrentRow(), 9);
}

TEST_F(RecordTableTest, EditingIndexMovesTheRecordAndTheCursorFollows) {
    AppendRecords(table, 5);
    table.First();
    table.Edit();
    table.Fields(0).SetAsInteger(3);
    table.Post();
    EXPECT_EQ(Indexes(table), (std::vector<int32_t>{1, 2, 3, 3, 4}));
    // Within the run of equal Index values the record stays as near its old place as it can.
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_EQ(table.Fields(1).AsInteger(), 0);
}

TEST_F(RecordTableTest, InsertPlacesTheRecordByItsIndexNearTheCursor) {
    AppendRecords(table, 3);  // 0 1 2
    table.MoveTo(1);
    table.Insert();
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.IntegerAt(1, 0), 3);  // the pending record is shown where it was inserted
    table.Fields(0).SetAsInteger(1);
    table.Fields(3).SetAsString("inserted");
    table.Post();
    EXPECT_EQ(Indexes(table), (std::vector<int32_t>{0, 1, 1, 2}));
    EXPECT_EQ(table.StringAt(1, 3), "inserted");
    EXPECT_EQ(table.CurrentRow(), 1);
}

TEST_F(RecordTableTest, MovingAwayPostsChangesAndCancelsUntouchedRecords) {
    AppendRecords(table, 3);
    table.Append();
    table.First();  // untouched: cancelled
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.State(), TableState::Browse);

    table.Edit();
    table.Fields(3).SetAsString("changed");
    table.Next();  // changed: posted
    EXPECT_EQ(table.StringAt(0, 3), "changed");
    EXPECT_EQ(table.CurrentRow(), 1);

    table.Edit();
    table.Fields(0).Clear();
    try {
        table.Next();
        FAIL() << "a record without Index was posted";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field 'Index' must have a value");
    }
    EXPECT_EQ(table.State(), TableState::Edit);  // the failing post stopped the move
    EXPECT_EQ(table.CurrentRow(), 1);
    table.Cancel();
    EXPECT_EQ(table.IntegerAt(1, 0), 1);
}

TEST_F(RecordTableTest, CursorWalksToEof) {
    AppendRecords(table, 3);
    std::vector<int32_t> seen;
    for (table.First(); !table.Eof(); table.Next()) {
        seen.push_back(table.Fields(1).AsInteger());
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 10, 20}));
    EXPECT_EQ(table.CurrentRow(), 2);

    table.DeleteAllRecords();
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.FieldCount(), 4);
}

TEST_F(RecordTableTest, AssigningOutsideEditingFails) {
    AppendRecords(table, 1);
    EXPECT_THROW(table.Fields(1).SetAsInteger(5), KelvaneError);
    EXPECT_THROW(table.FieldByName("missing"), KelvaneError);
    EXPECT_EQ(table.FieldByName("SPEED").Column(), 2);
}

TEST_F(RecordTableTest, EditOnAnEmptyTableStartsANewRecord) {
    table.Edit();
    EXPECT_EQ(table.State(), TableState::Insert);
}

TEST_F(RecordTableTest, DeleteWhileInsertingCancelsTheNewRecord) {
    AppendRecords(table, 2);
    table.Append();
    table.Delete();
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.State(), TableState::Browse);
}

TEST_F(RecordTableTest, ValuesConvertBetweenKinds) {
    table.Append();
    table.Fields(1).SetAsFloat(2.5);  // halves go to the even neighbour
    EXPECT_EQ(table.Fields(1).AsInteger(), 2);
    table.Fields(1).SetAsFloat(3.5);
    EXPECT_EQ(table.Fields(1).AsInteger(), 4);
    table.Fields(2).SetAsInteger(7);
    EXPECT_DOUBLE_EQ(table.Fields(2).AsFloat(), 7.0);
    table.Fields(3).SetAsInteger(-12);
    EXPECT_EQ(table.Fields(3).AsString(), "-12");
    EXPECT_EQ(table.Fields(3).AsInteger(), -12);
    table.Fields(1).SetAsString("");
    EXPECT_TRUE(table.Fields(1).IsNull());
    EXPECT_EQ(table.Fields(1).AsString(), "");
    EXPECT_EQ(table.Fields(1).AsInteger(), 0);
    EXPECT_THROW(table.Fields(1).SetAsFloat(1e12), KelvaneError);
}

TEST_F(RecordTableTest, RefusedTextsNameTheColumnCaptionAndLeaveTheCell) {
    table.Append();
    table.Presentation(1).Caption = "count(hex)";
    struct Case {
        int Column;
        std::string Text;
        const char* Message;
    };
    const Case cases[] = {
        {1, "12a", "'12a' is not a valid integer value for field 'count(hex)'"},
        {2, "fast", "'fast' is not a valid floating point value for field 'speed'"},
        {2, "-1e39",
         "'-1e39' is beyond the range of a 32-bit float (-3.4028235E38 to 3.4028235E38) for "
         "field 'speed'"},
        {2, "1e-46",
         "'1e-46' is nearer to 0 than the smallest 32-bit float (1.4E-45) for field 'speed', so "
         "it would be saved as 0"},
        {3, std::string("a\0", 2),
         "the text for field 'name' holds a NUL byte after 1 byte ('a\\0'), and a NUL ends a text "
         "in a DBC file, so it could not be saved as it is"},
    };
    for (const Case& c : cases) {
        const std::string before = table.Fields(c.Column).AsString();
        try {
            table.Fields(c.Column).SetAsString(c.Text);
            ADD_FAILURE() << c.Text << " was taken";
        } catch (const KelvaneError& error) {
            EXPECT_STREQ(error.what(), c.Message);
        }
        EXPECT_EQ(table.Fields(c.Column).AsString(), before) << c.Text;
    }
    EXPECT_THROW(table.Fields(2).SetAsFloat(1e300), KelvaneError);
    EXPECT_EQ(table.State(), TableState::Insert);

    // What a float keeps, if only after rounding, is taken: the extremes and their neighbours.
    for (const char* kept : {"3.4028235E38", "-3.40282356E38", "1.4E-45", "8E-46", "INF", "-0"}) {
        table.Fields(2).SetAsString(kept);
        EXPECT_FALSE(table.Fields(2).IsNull()) << kept;
    }
}

// Storage freed before a load belongs to the loaded records afterwards.
TEST_F(RecordTableTest, RecordsAddedAfterALoadLeaveTheLoadedOnesAlone) {
    AppendRecords(table, 1);
    table.Delete();
    LoadedRows rows;
    for (int column = 0; column < table.FieldCount(); ++column) {
        ColumnStore store;
        store.Kind = table.ColumnKind(column);
        store.Resize(2, rows.Strings.EmptyRef());
        rows.Columns.push_back(std::move(store));
    }
    rows.Columns[0].Integers = {0, 1};
    rows.Columns[1].Integers = {7, 8};
    table.AdoptLoadedRows(std::move(rows));

    table.Append();
    table.Fields(1).SetAsInteger(99);
    table.Post();
    EXPECT_EQ(Indexes(table), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(table.IntegerAt(0, 1), 7);
    EXPECT_EQ(table.IntegerAt(1, 1), 8);
    EXPECT_EQ(table.IntegerAt(2, 1), 99);
}

TEST_F(RecordTableTest, StringsOfAnyLengthAreKeptWhole) {
    table.Append();
    table.Fields(3).SetAsString(std::string(70000, 'a'));
    table.Post();
    EXPECT_EQ(table.StringAt(0, 3).size(), 70000u);
}

TEST_F(RecordTableTest, HexColumnsShowAndTakeUpperCaseHexadecimal) {
    table.Presentation(1).HexHooks = true;
    table.Append();
    table.Fields(1).SetAsInteger(255);
    EXPECT_EQ(table.Fields(1).DisplayText(), "FF");
    table.Fields(1).SetDisplayText("  ff \t");
    EXPECT_EQ(table.Fields(1).AsInteger(), 255);
    table.Fields(1).SetAsInteger(-1);
    EXPECT_EQ(table.Fields(1).DisplayText(), "FFFFFFFF");
    EXPECT_EQ(table.Fields(1).AsString(), "-1");
    try {
        table.Fields(1).SetDisplayText("100000000");
        FAIL();
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'$100000000' is not a valid integer value");
    }
    EXPECT_THROW(table.Fields(1).SetDisplayText(""), KelvaneError);
    table.Fields(1).Clear();
    EXPECT_EQ(table.Fields(1).DisplayText(), "0");
}

}  // namespace
}  // namespace kelvane

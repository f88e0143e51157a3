#include "exchange/TableDiff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::ColumnSpec;

const std::vector<ColumnSpec> kColumns = {
    {"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}};

std::string RefusalOf(const RecordTable& older, const RecordTable& newer) {
    try {
        CompareTables(older, "old.dbc", newer, "new.dbc");
    } catch (const KelvaneError& error) {
        return error.what();
    }
    return "compared";
}

TEST(TableDiffTest, ColumnsThatDifferAreRefusedSayingHow) {
    struct Case {
        std::vector<ColumnSpec> Newer;
        std::string Refusal;
    };
    const std::string heading =
        "Cannot compare old.dbc with new.dbc: their columns differ (give both the same field "
        "definitions):\n- ";
    const std::vector<Case> cases = {
        {{{"ID"}, {"Name", FieldKind::ftString}}, "old.dbc has 3 field columns, new.dbc 2"},
        {{{"ID"}, {"Title", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}},
         "column 2 is \"Name\" (ftString) in old.dbc but \"Title\" (ftString) in new.dbc"},
        {{{"ID"}, {"Name", FieldKind::ftString}, {"Speed"}, {"Extra"}},
         "old.dbc has 3 field columns, new.dbc 4\n- column 3 is \"Speed\" (ftFloat) in old.dbc "
         "but \"Speed\" (ftInteger) in new.dbc"},
    };
    RecordTable older;
    BuildTable(older, kColumns);
    for (const Case& refused : cases) {
        RecordTable newer;
        BuildTable(newer, refused.Newer);
        EXPECT_EQ(RefusalOf(older, newer), heading + refused.Refusal);
    }
}

TEST(TableDiffTest, AKeyOnTwoRecordsOfEitherTableIsRefusedNamingItAndTheFile) {
    RecordTable unique;
    BuildTable(unique, kColumns);
    AddRecord(unique, {"7", "a", "1"});
    RecordTable repeated;
    BuildTable(repeated, kColumns);
    for (const char* key : {"5", "7", "9", "7"}) {
        AddRecord(repeated, {key, "", ""});
    }
    EXPECT_EQ(RefusalOf(repeated, unique),
              "Cannot compare: the key '7' stands on records 2 and 4 of old.dbc, and records are "
              "matched by their key");
    EXPECT_EQ(RefusalOf(unique, repeated),
              "Cannot compare: the key '7' stands on records 2 and 4 of new.dbc, and records are "
              "matched by their key");
}

TEST(TableDiffTest, ATableWithoutAKeyColumnIsRefused) {
    RecordTable bare;
    BuildTable(bare, {});
    EXPECT_EQ(RefusalOf(bare, bare),
              "Cannot compare: old.dbc has no key column, the first column after Index");
}

// Cells compare as the file a save writes: a blank number is 0, a text typed in loses the
// blanks at its ends, a float is its 32-bit pattern, so -0 differs from 0 and a double that
// rounds to the same float does not.
TEST(TableDiffTest, CellsCompareAsTheSavedFileWouldDiffer) {
    RecordTable older;
    BuildTable(older, kColumns);
    AddRecord(older, {"1", "Fire", "0"});
    AddRecord(older, {"2", "", "0.1"});
    AddRecord(older, {"3", "Frost", "0"});
    AddRecord(older, {"4", "x", "2"});
    RecordTable newer;
    BuildTable(newer, kColumns);
    AddRecord(newer, {"1", "  Fire ", ""});               // trimmed when saved; blank is 0
    AddRecord(newer, {"2", "", "0.100000000000000001"});  // the same 32-bit float
    AddRecord(newer, {"3", "Frost", "-0"});               // another bit pattern
    AddRecord(newer, {"4", "y", "2"});
    const TableDiff diff = CompareTables(older, "old.dbc", newer, "new.dbc");
    EXPECT_EQ(diff.Unchanged, 2);
    ASSERT_EQ(diff.Changed.size(), 2u);
    EXPECT_EQ(diff.Changed[0].NewRow, 2);
    EXPECT_EQ(diff.Changed[0].Columns, std::vector<int>{3});
    EXPECT_EQ(diff.Changed[1].Columns, std::vector<int>{2});
}

// Keys are matched as the text a patch line names them by, wherever the records stand.
TEST(TableDiffTest, RecordsAreMatchedByKeyInAnyOrder) {
    RecordTable older;
    BuildTable(older, kColumns);
    for (const char* key : {"1", "2", "3", "4"}) {
        AddRecord(older, {key, "same", "1"});
    }
    RecordTable newer;
    BuildTable(newer, kColumns);
    for (const char* key : {"5", "3", "1", "6"}) {
        AddRecord(newer, {key, key == std::string("1") ? "other" : "same", "1"});
    }
    const TableDiff diff = CompareTables(older, "old.dbc", newer, "new.dbc");
    EXPECT_EQ(diff.AddedRows, (std::vector<int>{0, 3}));
    EXPECT_EQ(diff.RemovedRows, (std::vector<int>{1, 3}));
    ASSERT_EQ(diff.Changed.size(), 1u);
    EXPECT_EQ(diff.Changed[0].OldRow, 0);
    EXPECT_EQ(diff.Changed[0].NewRow, 2);
    EXPECT_EQ(diff.Unchanged, 1);
    EXPECT_EQ(DiffCountsText(diff), "2 added, 1 changed, 2 removed, 1 unchanged records");
}

}  // namespace
}  // namespace kelvane

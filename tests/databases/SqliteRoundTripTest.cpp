#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/base/NearestFloat.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteExport.h"
#include "databases/SqliteImport.h"
#include "exchange/RepeatedImportKeyError.h"
#include "tests/databases/SqliteTestFiles.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::BuildTable;

const std::vector<std::string> kHostileTexts = {
    "",
    "plain",
    "with 'single' and \"double\" quotes",
    "crlf\r\nbreak",
    "lf\nonly",
    "tab\tand, comma",
    "\xc3\xbcnic\xc3\xb6"
    "de \xe2\x9c\x93",
    "  padded  ",
    "NULL",
    "x'00'",
    "'); DROP TABLE Spell; --",
    "\x01\x7f control",
    "\xff\xfe not UTF-8",
    std::string(70000, 'w'),
};

// SQLite holds neither NaN nor -0 as a number; they go as text and come back all the same.
const std::vector<uint32_t> kFloatPatterns = {
    0x00000001, 0x007FFFFF, 0x00800000, 0x7F7FFFFF, 0x7F800000, 0xFF800000, 0x3EAAAAAB,
    0xBFC00000, 0x3F800001, 0x00000000, 0x4B7FFFFF, 0xCF000000, 0x80000000, 0x807FFFFF,
    0x7FC00000, 0x7FC00001, 0xFFC00000, 0x7F800001, 0xFFFFFFFF,
};

const std::vector<int32_t> kIntegers = {
    std::numeric_limits<int32_t>::min(), -1,  0,     std::numeric_limits<int32_t>::max(),
    static_cast<int32_t>(0xDEADBEEF),    255, 65535,
};

// A float whose bits came from a file, as a load holds it.
double FileFloat(uint32_t bits) {
    return WidenFloat(std::bit_cast<float>(bits));
}

// Every kind, blanks in every column, hostile texts, unsigned patterns and float bit patterns,
// records out of key order; the key of the given kind is unique.
void FillGeneratedTable(RecordTable& table, FieldKind keyKind, int count) {
    BuildTable(table, {{"Key", keyKind},
                       {"Text", FieldKind::ftString},
                       {"Value", FieldKind::ftFloat},
                       {"Flags"},
                       {"More", FieldKind::ftString}});
    std::mt19937 random(19);
    for (int i = 0; i < count; ++i) {
        table.Append();
        const auto key = static_cast<int32_t>(static_cast<uint32_t>(i) * 2654435761u);
        if (keyKind == FieldKind::ftString) {
            table.Fields(1).SetAsString("k" + std::to_string(key));
        } else {
            table.Fields(1).SetAsInteger(key);
        }
        const auto size = static_cast<size_t>(i);
        table.Fields(2).SetAsString(kHostileTexts[size % kHostileTexts.size()]);
        table.Fields(3).SetAsFloat(FileFloat(i < static_cast<int>(kFloatPatterns.size())
                                                 ? kFloatPatterns[size]
                                                 : static_cast<uint32_t>(random())));
        table.Fields(4).SetAsInteger(i % 2 == 0 ? kIntegers[size / 2 % kIntegers.size()]
                                                : static_cast<int32_t>(random()));
        table.Fields(5).SetAsString(kHostileTexts[(size * 5) % kHostileTexts.size()]);
        for (int column = 2; column <= 5; ++column) {
            if (i % (7 + column) == 3) {
                table.Fields(column).Clear();
            }
        }
        table.Post();
    }
}

// Bit for bit, blanks included; the Index column is the importing table's own.
void ExpectSameRecord(const RecordTable& expected, int expectedRow, const RecordTable& actual,
                      int row) {
    for (int column = 1; column < expected.FieldCount(); ++column) {
        SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(column));
        ASSERT_EQ(actual.IsBlank(row, column), expected.IsBlank(expectedRow, column));
        if (actual.IsBlank(row, column)) {
            continue;
        }
        switch (expected.ColumnKind(column)) {
            case FieldKind::ftInteger:
                ASSERT_EQ(actual.IntegerAt(row, column), expected.IntegerAt(expectedRow, column));
                break;
            case FieldKind::ftFloat:
                ASSERT_EQ(std::bit_cast<uint64_t>(actual.FloatAt(row, column)),
                          std::bit_cast<uint64_t>(expected.FloatAt(expectedRow, column)));
                break;
            case FieldKind::ftString:
                ASSERT_EQ(actual.StringAt(row, column), expected.StringAt(expectedRow, column));
                break;
        }
    }
}

// Records matched by key: an INTEGER key is the database's rowid, which orders the rows read
// back.
void ExpectSameCells(const RecordTable& expected, const RecordTable& actual) {
    ASSERT_EQ(actual.RecordCount(), expected.RecordCount());
    std::map<std::string, int> actualRows;
    for (int row = 0; row < actual.RecordCount(); ++row) {
        actualRows[actual.CellText(row, 1)] = row;
    }
    for (int expectedRow = 0; expectedRow < expected.RecordCount(); ++expectedRow) {
        const auto found = actualRows.find(expected.CellText(expectedRow, 1));
        ASSERT_NE(found, actualRows.end());
        ExpectSameRecord(expected, expectedRow, actual, found->second);
    }
}

TEST(SqliteRoundTrip, AGeneratedTableComesBackCellForCell) {
    for (const FieldKind keyKind : {FieldKind::ftInteger, FieldKind::ftString}) {
        SCOPED_TRACE(keyKind == FieldKind::ftString ? "text key" : "integer key");
        testing::TempDir dir;
        const auto source = std::make_unique<Workspace>();
        source->Current.TableName = "Spell";
        FillGeneratedTable(source->Table, keyKind, 400);
        ASSERT_TRUE(ExportSqlite(*source, dir.File("round.db")).KeyIsPrimary);

        const auto target = std::make_unique<Workspace>();
        target->Current.TableName = "Spell";
        FillGeneratedTable(target->Table, keyKind, 0);
        const SqliteImportReport report =
            ImportSqlite(*target, dir.File("round.db"), ImportMatch::ByKey);

        EXPECT_EQ(report.Merge.RecordsAdded, 400);
        ExpectSameCells(source->Table, target->Table);

        // Into the table it came from: every record is found and none changes.
        EXPECT_EQ(
            ImportSqlite(*source, dir.File("round.db"), ImportMatch::ByKey).Merge.RecordsUnchanged,
            400);
    }
}

// A table whose keys repeat has no primary key in the database, so its rows keep table order,
// and by position it comes back record for record; by key it is refused.
TEST(SqliteRoundTrip, ATableWithRepeatedKeysComesBackByPosition) {
    testing::TempDir dir;
    const std::string database = dir.File("round.db");
    const auto source = std::make_unique<Workspace>();
    source->Current.TableName = "Spell";
    FillGeneratedTable(source->Table, FieldKind::ftInteger, 400);
    for (int row = 0; row < 400; ++row) {
        source->Table.MoveTo(row);
        source->Table.Edit();
        source->Table.Fields(1).SetAsInteger(row % 7 * 1000 - row % 3);  // out of key order
        source->Table.Post();
    }
    ASSERT_FALSE(ExportSqlite(*source, database).KeyIsPrimary);

    EXPECT_THROW(ImportSqlite(*source, database, ImportMatch::ByKey), RepeatedImportKeyError);
    const SqliteImportReport back = ImportSqlite(*source, database, ImportMatch::ByPosition);
    EXPECT_EQ(back.Merge.RecordsUnchanged, 400);
    EXPECT_EQ(back.Merge.RecordsChanged + back.Merge.RecordsAdded, 0);

    const auto target = std::make_unique<Workspace>();
    target->Current.TableName = "Spell";
    FillGeneratedTable(target->Table, FieldKind::ftInteger, 0);
    EXPECT_EQ(ImportSqlite(*target, database, ImportMatch::ByPosition).Merge.RecordsAdded, 400);
    ASSERT_EQ(target->Table.RecordCount(), 400);
    for (int row = 0; row < 400; ++row) {
        ExpectSameRecord(source->Table, row, target->Table, row);
    }
}

// SQLite would store a NaN as NULL and -0, a whole number, as the integer 0: they go in as
// texts that SQLite keeps, and read back as their very bits.
TEST(SqliteRoundTrip, NanAndMinusZeroGoAsTextsAndComeBackBitForBit) {
    testing::TempDir dir;
    const auto work = std::make_unique<Workspace>();
    work->Current.TableName = "T";
    BuildTable(work->Table, {{"Key"}, {"Value", FieldKind::ftFloat}});
    const std::vector<uint32_t> patterns = {0x7FC00000, 0x80000000, 0x7FC00001, 0x7F800001,
                                            0x00000000};
    for (const uint32_t pattern : patterns) {
        work->Table.Append();
        work->Table.Fields(1).SetAsInteger(work->Table.RecordCount());
        work->Table.Fields(2).SetAsFloat(FileFloat(pattern));
        work->Table.Post();
    }
    ExportSqlite(*work, dir.File("t.db"));
    EXPECT_EQ(
        testing::QuotedRows(dir.File("t.db"), "SELECT quote(Value) FROM T"),
        (std::vector<std::vector<std::string>>{
            {"'NAN'"}, {"'-0x0p+0'"}, {"'NAN(0x7FC00001)'"}, {"'NAN(0x7F800001)'"}, {"0.0"}}));
    work->Table.DeleteAllRecords();
    ImportSqlite(*work, dir.File("t.db"), ImportMatch::ByKey);

    ASSERT_EQ(work->Table.RecordCount(), static_cast<int>(patterns.size()));
    for (int row = 0; row < work->Table.RecordCount(); ++row) {
        EXPECT_EQ(std::bit_cast<uint32_t>(NearestFloat(work->Table.FloatAt(row, 2))),
                  patterns[static_cast<size_t>(row)]);
    }
}

}  // namespace
}  // namespace kelvane

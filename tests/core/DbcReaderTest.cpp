#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/workspace/WorkspaceFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ByteFieldSample;
using testing::DbcBytes;
using testing::FieldSpec;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

class DbcReaderTest : public ::testing::Test {
  protected:
    std::string Put(const std::string& name, const DbcBytes& file) {
        dir_.Write(name, file.Bytes());
        return dir_.File(name);
    }

    // The message of the KelvaneError that opening the file throws.
    std::string OpenFailure(const std::string& path) {
        try {
            OpenDbcTable(ws_, path);
        } catch (const KelvaneError& error) {
            return error.what();
        }
        ADD_FAILURE() << "opening " << path << " did not fail";
        return {};
    }

    // Definitions entries 0 to n - 1 named and typed by hand, for loads without the file.
    void HoldDefs(const std::vector<FieldSpec>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            FieldDef& def = ws_.Defs[static_cast<int>(i)];
            def.Name = fields[i].Name;
            def.Kind = fields[i].Kind;
            def.Hex = fields[i].Hex;
        }
    }

    std::vector<std::string> ColumnNames() const {
        std::vector<std::string> names;
        for (int column = 0; column < ws_.Table.FieldCount(); ++column) {
            names.push_back(ws_.Table.ColumnName(column));
        }
        return names;
    }

    TempDir dir_;
    Workspace ws_;
    RecordTable& table_ = ws_.Table;
};

TEST_F(DbcReaderTest, LoadsRecordsTypedByTheDefinitionsBesideTheFile) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, SpellSampleFields());

    const LoadReport report = OpenDbcTable(ws_, path);

    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "ID", "Name", "Speed", "Rank"}));
    EXPECT_EQ(table_.ColumnKind(2), FieldKind::ftString);
    EXPECT_EQ(table_.ColumnKind(3), FieldKind::ftFloat);
    ASSERT_EQ(table_.RecordCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(table_.IntegerAt(row, 0), row);
    }
    EXPECT_EQ(table_.IntegerAt(1, 1), 0xFF);
    EXPECT_EQ(table_.StringAt(0, 2), "Fireball");
    EXPECT_EQ(table_.StringAt(1, 2), "Frost Nova");
    EXPECT_EQ(table_.StringAt(2, 2), "");
    EXPECT_EQ(table_.FloatAt(1, 3), static_cast<double>(0.1f));
    EXPECT_EQ(table_.FloatAt(2, 3), -2.25);
    EXPECT_EQ(table_.IntegerAt(0, 4), -1);

    // The end of every load sets up the grid: captions, first record current.
    EXPECT_EQ(table_.Presentation(1).Caption, "ID(hex)");
    EXPECT_EQ(table_.Presentation(3).Caption, "Speed(float)");
    EXPECT_EQ(table_.CurrentRow(), 0);
    EXPECT_FALSE(table_.NotificationsSuspended());

    EXPECT_EQ(report.Header.RecordCount, 3);
    EXPECT_EQ(report.Header.StringBlockSize, 21);
    EXPECT_FALSE(report.HasByteFields);
    EXPECT_EQ(report.RecordsLoaded, 3);
    EXPECT_EQ(report.Warning(path), "");
    EXPECT_FALSE(ws_.FileLayout.HasNarrowCells());
}

TEST_F(DbcReaderTest, DefinitionsComeFromTheCurrentTableNotFromThePath) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(dir_.File("Other.dbc"), {{"Other", FieldKind::ftFloat}});
    ws_.Current.FilePath = dir_.File("Other.dbc");
    ws_.Current.TableName = "Other";

    LoadDbcFile(ws_, path, true, 0);

    EXPECT_EQ(table_.ColumnName(1), "Other");
    EXPECT_EQ(table_.ColumnKind(1), FieldKind::ftFloat);
}

TEST_F(DbcReaderTest, NoRecordsGivesTheColumnsAndAnEmptyTable) {
    const std::string path =
        Put("Empty.dbc", DbcBytes().Header(0, 2, 8, 1).Raw(std::string(1, '\0')));

    OpenDbcTable(ws_, path);

    EXPECT_TRUE(table_.Active());
    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "0", "1"}));
    EXPECT_TRUE(table_.IsEmpty());
}

TEST_F(DbcReaderTest, MissingDefinitionsGiveIntegerColumnsNamedByNumber) {
    const std::string path = Put("Spell.dbc", SpellSample());

    OpenDbcTable(ws_, path);

    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "0", "1", "2", "3"}));
    EXPECT_EQ(table_.ColumnKind(2), FieldKind::ftInteger);
    EXPECT_EQ(table_.IntegerAt(1, 2), 10);  // the string offset, as a number
}

TEST_F(DbcReaderTest, DefinitionsForFewerFieldsLeaveTheRestIntegerAndLaterEntriesUnread) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, {{"ID", FieldKind::ftInteger}, {"Name", FieldKind::ftString}});
    ws_.Defs[4].Name = "Left over";

    OpenDbcTable(ws_, path);

    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "ID", "Name", "2", "3"}));
    EXPECT_EQ(table_.ColumnKind(3), FieldKind::ftInteger);
    EXPECT_EQ(ws_.Defs[4].Name, "Left over");
}

TEST_F(DbcReaderTest, LongNamesStayWholeSoNamesAlikeInTheirFirst30CharactersDoNotCollide) {
    // As in a real table's array of masks: the tenth member only adds a character.
    const std::string first = "Proficiency_itemSubClassMask_1";  // 30 characters
    const std::string tenth = first + "0";
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, {{first}, {tenth}});

    OpenDbcTable(ws_, path);

    EXPECT_EQ(table_.ColumnName(1), first);
    EXPECT_EQ(table_.ColumnName(2), tenth);
    EXPECT_EQ(ws_.Defs[1].Name, tenth);
}

TEST_F(DbcReaderTest, ColumnDefinitionFailureIsReportedAfterTheGridIsRestored) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, {{"index", FieldKind::ftInteger}});

    EXPECT_EQ(OpenFailure(path), "A component named index already exists");
    EXPECT_FALSE(table_.Active());
    EXPECT_FALSE(table_.NotificationsSuspended());
}

TEST_F(DbcReaderTest, FilesThatAreNoDbcAreRefusedNamingTheFile) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"shorter than a header", "WDBC" + std::string(15, '\0')},
        {"fourth magic byte wrong", "WDBX" + std::string(17, '\0')},
        {"text file", "[Field kind]\r\nField 0=ftInteger\r\n"},
    };
    for (const auto& [label, bytes] : cases) {
        SCOPED_TRACE(label);
        OpenDbcTable(ws_, Put("Spell.dbc", SpellSample()));
        const std::string path = Put("Bad.dbc", DbcBytes().Raw(bytes));

        EXPECT_EQ(OpenFailure(path).rfind("\"" + path + "\" is not a DBC file: ", 0), 0u);
        EXPECT_EQ(table_.RecordCount(), 3);  // the table open before stays
        EXPECT_EQ(ws_.Current.TableName, "Spell");
        EXPECT_FALSE(table_.NotificationsSuspended());
    }
}

TEST_F(DbcReaderTest, ImpossibleHeadersAreRefusedAndNothingIsLoaded) {
    const std::string block(1, '\0');
    const std::vector<std::tuple<const char*, DbcBytes, std::string>> cases = {
        {"negative record count", DbcBytes().Header(-1, 1, 4, 1).Raw(block),
         "record count is negative"},
        {"negative field count", DbcBytes().Header(0, -1, -4, 1).Raw(block),
         "field count is negative"},
        {"negative record size", DbcBytes().Header(0, 1, -4, 1).Raw(block),
         "record size is negative"},
        {"negative block size", DbcBytes().Header(0, 1, 4, -1).Raw(block),
         "string block size is negative"},
        {"too many fields", DbcBytes().Header(0, 2001, 8004, 1).Raw(block), "2001 fields"},
        {"no split: 7 spare bytes",
         DbcBytes().Header(1, 3, 10, 1).Raw(std::string(10, 'x')).Raw(block),
         "cannot hold 3 fields"},
        {"no split: more than 4 bytes a field",
         DbcBytes().Header(1, 2, 12, 1).Raw(std::string(12, 'x')).Raw(block),
         "cannot hold 2 fields"},
        {"no split: fewer bytes than fields",
         DbcBytes().Header(1, 4, 3, 1).Raw(std::string(3, 'x')).Raw(block), "cannot hold 4 fields"},
        {"block larger than the file", DbcBytes().Header(0, 1, 4, 100).Raw(block),
         "larger than the file"},
        {"records past the end", DbcBytes().Header(5, 1, 4, 1).Int(1).Int(2).Raw(block),
         "run past the end of the file"},
        {"records over the block",
         DbcBytes().Header(2, 1, 4, 8).Int(1).Int(2).Raw(std::string("\0ab\0", 4)),
         "overlap its string block"},
        {"records of no bytes", DbcBytes().Header(3, 0, 0, 1).Raw(block), "no fields"},
    };
    for (const auto& [label, file, problem] : cases) {
        SCOPED_TRACE(label);
        const std::string path = Put("Bad.dbc", file);

        const std::string message = OpenFailure(path);

        EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_FALSE(table_.Active());
    }
}

TEST_F(DbcReaderTest, UnreadableFileLeavesTheOldTableOpenUnderItsOwnName) {
    const std::string path = Put("Spell.dbc", SpellSample());
    OpenDbcTable(ws_, path);

    const std::string message = OpenFailure(dir_.File("Missing.dbc"));

    EXPECT_EQ(message.rfind("Cannot open file \"" + dir_.File("Missing.dbc") + "\". ", 0), 0u);
    EXPECT_EQ(table_.RecordCount(), 3);
    EXPECT_EQ(ws_.Current.FilePath, path);
    EXPECT_EQ(ws_.Current.TableName, "Spell");
}

TEST_F(DbcReaderTest, ByteFieldsFollowTheWholeCells) {
    const std::string path = Put("Bytes.dbc", ByteFieldSample());

    const LoadReport report = OpenDbcTable(ws_, path);

    EXPECT_TRUE(report.HasByteFields);
    EXPECT_EQ(ws_.FileLayout, CellLayout::WholeThenBytes(2, 1));
    ASSERT_EQ(table_.RecordCount(), 2);
    EXPECT_EQ(table_.IntegerAt(0, 1), 7);
    EXPECT_EQ(table_.IntegerAt(0, 2), -2);
    EXPECT_EQ(table_.IntegerAt(0, 3), 200);
    EXPECT_EQ(table_.IntegerAt(1, 3), 0);

    OpenDbcTable(ws_, Put("Spell.dbc", SpellSample()));
    EXPECT_FALSE(ws_.FileLayout.HasNarrowCells());
}

TEST_F(DbcReaderTest, RecordsOfOnlyByteFields) {
    const std::string path = Put(
        "Bytes.dbc",
        DbcBytes().Header(1, 4, 4, 1).Byte(1).Byte(2).Byte(3).Byte(4).Raw(std::string(1, '\0')));

    OpenDbcTable(ws_, path);

    EXPECT_EQ(ws_.FileLayout, CellLayout::WholeThenBytes(0, 4));
    for (int column = 1; column <= 4; ++column) {
        EXPECT_EQ(table_.IntegerAt(0, column), column);
    }
}

TEST_F(DbcReaderTest, ByteCellsOfFloatAndStringFieldsHoldTheValueAsANumber) {
    // FieldCount 3, RecordSize 6: one cell of 4 bytes, then two of 1.
    const std::string path =
        Put("Bytes.dbc",
            DbcBytes().Header(1, 3, 6, 1).Int(9).Byte(3).Byte(250).Raw(std::string(1, '\0')));
    WriteFieldDefs(path, {{"Id", FieldKind::ftInteger},
                          {"Scale", FieldKind::ftFloat},
                          {"Tag", FieldKind::ftString}});

    OpenDbcTable(ws_, path);

    EXPECT_EQ(table_.FloatAt(0, 2), 3.0);
    // A one-byte cell holds no text offset: the string field gets an integer column, so a
    // hostile file of such cells costs no more than its numbers.
    EXPECT_EQ(table_.ColumnKind(3), FieldKind::ftInteger);
    EXPECT_EQ(table_.IntegerAt(0, 3), 250);
    EXPECT_EQ(ws_.Defs[2].Kind, FieldKind::ftString);
}

TEST_F(DbcReaderTest, OffsetZeroOfAWrittenBlockIsTheEmptyText) {
    const std::string path =
        Put("Names.dbc", DbcBytes().Header(1, 1, 4, 1).Int(0).Raw(std::string(1, '\0')));
    WriteFieldDefs(path, {{"Name", FieldKind::ftString}});

    const LoadReport report = OpenDbcTable(ws_, path);

    EXPECT_EQ(table_.StringAt(0, 1), "");
    EXPECT_EQ(report.BadStringCells, 0);
}

TEST_F(DbcReaderTest, StringCellsOutsideTheBlockLoadAsEmptyTextWithOneWarning) {
    // The block "\0ab" ends without a terminator: only offset 0 reads.
    DbcBytes file;
    file.Header(2, 4, 16, 3);
    file.Int(999).Int(5).Int(1).Int(0);
    file.Int(0).Int(6).Int(2).Int(0);
    const std::string path = Put("Names.dbc", file.Raw(std::string("\0ab", 3)));
    WriteFieldDefs(path, {{"Name", FieldKind::ftString},
                          {"Count", FieldKind::ftInteger},
                          {"Title", FieldKind::ftString},
                          {"Note", FieldKind::ftString}});

    const LoadReport report = OpenDbcTable(ws_, path);

    ASSERT_EQ(table_.RecordCount(), 2);
    EXPECT_EQ(table_.StringAt(0, 1), "");
    EXPECT_EQ(table_.StringAt(0, 3), "");
    EXPECT_EQ(table_.StringAt(1, 3), "");
    EXPECT_EQ(table_.IntegerAt(1, 2), 6);
    EXPECT_EQ(report.BadStringCells, 3);
    EXPECT_EQ(report.BadStringColumns, (std::vector<std::string>{"Name", "Title"}));
    const std::string warning = report.Warning(path);
    EXPECT_EQ(warning.rfind("\"" + path + "\": cells of the string columns ", 0), 0u) << warning;
    EXPECT_NE(warning.find("3 string cells point past the string block and loaded as empty text "
                           "(columns Name, Title)"),
              std::string::npos)
        << warning;
}

TEST_F(DbcReaderTest, TextsOfAnyLengthLoadWhole) {
    const std::string text(4100, 'x');
    DbcBytes file;
    file.Header(2, 1, 4, 4102).Int(1).Int(101);
    file.Raw(std::string(1, '\0')).Raw(text).Raw(std::string(1, '\0'));
    const std::string path = Put("Long.dbc", file);
    WriteFieldDefs(path, {{"Text", FieldKind::ftString}});

    OpenDbcTable(ws_, path);

    EXPECT_EQ(table_.StringAt(0, 1), text);
    EXPECT_EQ(table_.StringAt(1, 1), text.substr(100));
}

// ---- Loading without the definitions file, with a column count chosen by the caller ------

TEST_F(DbcReaderTest, FieldLimitBelowTheFieldCountLoadsTheFirstCells) {
    const std::string path = Put("Spell.dbc", SpellSample());
    HoldDefs({{"A"}, {"B"}});

    LoadDbcFile(ws_, path, false, 2);

    EXPECT_EQ(ColumnNames(), (std::vector<std::string>{"Index", "A", "B"}));
    EXPECT_EQ(table_.IntegerAt(1, 1), 0xFF);
    EXPECT_EQ(table_.IntegerAt(1, 2), 10);
}

TEST_F(DbcReaderTest, FieldLimitAboveTheFieldCountAddsColumnsWithDefaults) {
    const std::string path = Put("Spell.dbc", SpellSample());
    HoldDefs({{"A"}, {"B"}, {"C"}, {"D"}, {"E", FieldKind::ftString}, {"F", FieldKind::ftFloat}});

    LoadDbcFile(ws_, path, false, 6);

    ASSERT_EQ(table_.FieldCount(), 7);
    EXPECT_EQ(table_.IntegerAt(0, 4), -1);
    EXPECT_EQ(table_.StringAt(0, 5), "");
    EXPECT_EQ(table_.FloatAt(0, 6), 0.0);
}

TEST_F(DbcReaderTest, FieldLimitOnByteFieldsFillsWhatFits) {
    const std::string path =
        Put("Bytes.dbc",
            DbcBytes().Header(1, 3, 9, 1).Int(7).Int(-2).Byte(200).Raw(std::string(1, '\0')));
    HoldDefs({{"A"}, {"B"}, {"C"}});

    LoadDbcFile(ws_, path, false, 2);
    EXPECT_EQ(table_.FieldCount(), 3);
    EXPECT_EQ(table_.IntegerAt(0, 2), -2);

    LoadDbcFile(ws_, path, false, 3);
    EXPECT_EQ(table_.IntegerAt(0, 3), 200);
}

TEST_F(DbcReaderTest, FieldLimitFailuresAreReported) {
    const std::string path = Put("Spell.dbc", SpellSample());
    ws_.Defs[0].Name = "";

    EXPECT_THROW(LoadDbcFile(ws_, path, false, 2001), KelvaneError);
    try {
        LoadDbcFile(ws_, path, false, 1);
        ADD_FAILURE() << "an empty name was accepted";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field name missing");
    }
    EXPECT_FALSE(table_.NotificationsSuspended());
}

TEST_F(DbcReaderTest, ProgressEndsWithTheRecordCount) {
    constexpr int kRecords = 10000;
    DbcBytes file;
    file.Header(kRecords, 1, 4, 1);
    for (int i = 0; i < kRecords; ++i) {
        file.Int(i);
    }
    const std::string path = Put("Many.dbc", file.Raw(std::string(1, '\0')));
    std::vector<int> reported;

    LoadDbcFile(ws_, path, false, 0, [&](int record, int count) {
        EXPECT_EQ(count, kRecords);
        reported.push_back(record);
    });

    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), kRecords);
    EXPECT_EQ(table_.RecordCount(), kRecords);
}

}  // namespace
}  // namespace kelvane

#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "exchange/TextExport.h"

#include <gtest/gtest.h>

#include <bit>
#include <optional>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"
#include "core/files/TextFile.h"
#include "core/files/TextLineWriter.h"
#include "core/table/RecordTable.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/exchange/ListenerLog.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;

struct CommaCase {
    std::vector<std::string> Texts;
    std::string Line;
};

TEST(CommaLine, QuotesOnlyWhatNeedsIt) {
    const std::vector<CommaCase> cases = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{"", "", ""}, ",,"},
        {{"25", "", "7"}, "25,,7"},
        {{"plain"}, "plain"},
        {{"Rusty Blade"}, "\"Rusty Blade\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"\"\""}, "\"\"\"\"\"\""},
        {{"a,b"}, "\"a,b\""},
        {{"tab\there", "x"}, "\"tab\there\",x"},
        {{"two\r\nlines"}, "\"two\r\nlines\""},
        {{std::string("nul\0byte", 8)}, std::string("\"nul\0byte\"", 10)},
        // Only codes 0 to 32 count as control characters: DEL and 8-bit letters stay bare.
        {{"\x7f", "caf\xc3\xa9"}, "\x7f,caf\xc3\xa9"},
        {{"a;b", "x=y", "p:q"}, "a;b,x=y,p:q"},
    };
    for (const CommaCase& c : cases) {
        EXPECT_EQ(CommaLine(c.Texts), c.Line) << "texts: " << ::testing::PrintToString(c.Texts);
    }
}

class CellTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(table,
                   {{"Count"}, {"Speed", FieldKind::ftFloat}, {"Name", FieldKind::ftString}});
        AddRecord(table, {"", "", ""});
    }
    void SetFloat(double value) {
        table.Edit();
        table.Fields(2).SetAsFloat(value);
        table.Post();
    }
    RecordTable table;
};

TEST_F(CellTextTest, FloatsInGeneralFormatWithFifteenDigits) {
    const struct {
        double Value;
        std::string Text;
    } cases[] = {
        {static_cast<double>(0.1f), "0.100000001490116"},
        {2.5, "2.5"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {0.0001, "0.0001"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {0, "0"},
        {-2.25, "-2.25"},
        {-0.0, "-0"},
        {WidenFloat(std::bit_cast<float>(0x7FC00001u)), "NAN(0x7FC00001)"},
    };
    for (const auto& c : cases) {
        SetFloat(c.Value);
        EXPECT_EQ(CellText(table, 0, 2), c.Text) << c.Value;
    }
}

TEST_F(CellTextTest, CommaAsDecimalSeparatorIsQuotedInLines) {
    const testing::DecimalSeparatorScope comma(',');
    SetFloat(2.5);
    EXPECT_EQ(CellText(table, 0, 2), "2,5");
    EXPECT_EQ(ExportLine(table, 0), ",\"2,5\",");
}

TEST_F(CellTextTest, IntegersIgnoreTheHexDisplay) {
    table.Presentation(1).HexHooks = true;
    table.Edit();
    table.Fields(1).SetAsInteger(255);
    table.Post();
    EXPECT_EQ(CellText(table, 0, 1), "255");
    table.Edit();
    table.Fields(1).SetAsString("$FFFFFFFF");
    table.Post();
    EXPECT_EQ(CellText(table, 0, 1), "-1");
}

TEST_F(CellTextTest, BlanksAndNoRecordReadEmpty) {
    for (int column = 1; column <= 3; ++column) {
        EXPECT_EQ(CellText(table, 0, column), "") << column;
        EXPECT_EQ(CellText(table, -1, column), "") << column;
    }
    EXPECT_EQ(ExportLine(table, 0), ",,");
}

TEST_F(CellTextTest, ReadsTheRecordBeingEdited) {
    table.Edit();
    table.Fields(3).SetAsString("typed, not posted");
    EXPECT_EQ(CellText(table, 0, 3), "typed, not posted");
    EXPECT_EQ(ExportLine(table, 0), ",,\"typed, not posted\"");
}

TEST(ExportLine, OneEmptyFieldIsWrittenAsTwoQuotes) {
    RecordTable table;
    BuildTable(table, {{"Name", FieldKind::ftString}});
    EXPECT_EQ(ExportLine(table, -1), "\"\"");
    AddRecord(table, {""});
    EXPECT_EQ(ExportLine(table, 0), "\"\"");
    EXPECT_EQ(ExportAllLines(table), std::vector<std::string>{"\"\""});
}

TEST(ExportLine, NoCurrentRecordGivesEmptyItems) {
    RecordTable table;
    BuildTable(table, {{"A"}, {"B", FieldKind::ftString}, {"C", FieldKind::ftFloat}});
    EXPECT_EQ(ExportLine(table, table.CurrentRow()), ",,");
}

TEST(ExportLine, SpecialTextsOfTheSample) {
    RecordTable table;
    BuildTable(table, {{"A"}, {"B", FieldKind::ftString}, {"C"}});
    AddRecord(table, {"25", "", "7"});
    AddRecord(table, {"1", "Rusty Blade", "-3"});
    AddRecord(table, {"2", "say \"hi\"", ""});
    AddRecord(table, {"3", "a,b", "0"});
    EXPECT_EQ(ExportAllLines(table),
              (std::vector<std::string>{"25,,7", "1,\"Rusty Blade\",-3", "2,\"say \"\"hi\"\"\",",
                                        "3,\"a,b\",0"}));
}

class ExportAllLinesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTable(table, {{"Id"}, {"Name", FieldKind::ftString}});
        for (int i = 0; i < 10; ++i) {
            AddRecord(table, {std::to_string(100 + i), "r" + std::to_string(i)});
        }
    }
    void DeleteRow(int row) {
        table.MoveTo(row);
        table.Delete();
    }
    RecordTable table;
};

TEST_F(ExportAllLinesTest, OneLinePerRecordAcrossGapsAndSharedIndexes) {
    DeleteRow(3);  // a gap in Index
    AddRecord(table, {"200", "shares Index 9"});
    EXPECT_EQ(ExportAllLines(table),
              (std::vector<std::string>{"100,r0", "101,r1", "102,r2", "104,r4", "105,r5", "106,r6",
                                        "107,r7", "108,r8", "109,r9", "200,\"shares Index 9\""}));
}

TEST_F(ExportAllLinesTest, PostsTheRecordBeingEditedAndKeepsItCurrent) {
    table.MoveTo(2);
    table.Edit();
    table.Fields(2).SetAsString("edited");
    const std::vector<std::string> lines = ExportAllLines(table);
    EXPECT_EQ(lines[2], "102,edited");
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(table.CurrentRow(), 2);
}

TEST_F(ExportAllLinesTest, TheGridHearsNothingOfTheWalk) {
    table.MoveTo(4);
    testing::ListenerLog log;
    table.AddListener(&log);
    ExportAllLines(table);
    table.RemoveListener(&log);
    EXPECT_EQ(log.AllButResets(), 0);
    EXPECT_EQ(log.Resets, 0);
    EXPECT_EQ(table.CurrentRow(), 4);
}

TEST(ExportAllLines, SameLinesAsOneRecordAtATime) {
    RecordTable table;
    testing::BuildShuffledTable(table, 300);
    std::vector<std::string> expected;
    for (int row = 0; row < table.RecordCount(); ++row) {
        expected.push_back(ExportLine(table, row));
    }
    EXPECT_EQ(ExportAllLines(table), expected);
    EXPECT_EQ(expected[0], "1000,\"a, b\",0.5");
}

// Whole-table passes keep the texts of recent float values; many distinct values, repeated,
// must still each get their own text.
TEST(ExportAllLines, FloatTextsMatchTheCellsAcrossManyValues) {
    RecordTable table;
    BuildTable(table, {{"Speed", FieldKind::ftFloat}});
    for (int i = 0; i < 2000; ++i) {
        table.Append();
        table.Fields(1).SetAsFloat(static_cast<double>(static_cast<float>((i % 700) * 0.37)) *
                                   (i % 2 == 0 ? 1 : -1e-7));
        table.Post();
    }
    const std::vector<std::string> lines = ExportAllLines(table);
    ASSERT_EQ(lines.size(), 2000u);
    for (int row = 0; row < table.RecordCount(); ++row) {
        EXPECT_EQ(lines[static_cast<size_t>(row)], CellText(table, row, 1)) << row;
    }
}

TEST(ExportAllLines, EmptyTableGivesAnEmptyFile) {
    const testing::TempDir folder;
    RecordTable table;
    BuildTable(table, {{"A"}, {"B"}});
    const std::vector<std::string> lines = ExportAllLines(table);
    EXPECT_TRUE(lines.empty());
    WriteTextLines(folder.File("empty.csv"), lines);
    EXPECT_EQ(folder.Read("empty.csv"), "");
}

TEST(ExportAllLines, ClosedTableFails) {
    RecordTable table;
    BuildTable(table, {{"A"}});
    table.Close();
    EXPECT_THROW(ExportAllLines(table), KelvaneError);
}

TEST(ExportAllLines, LoadedSampleToFile) {
    const testing::TempDir folder;
    const std::string path = folder.File("Spell.dbc");
    folder.Write("Spell.dbc", testing::SpellSample().Bytes());
    testing::WriteFieldDefs(path, testing::SpellSampleFields());
    Workspace workspace;
    OpenDbcTable(workspace, path);

    WriteTextLines(folder.File("Spell.csv"), ExportAllLines(workspace.Table));
    // The id column is shown in hex but written in decimal; 0.1 is the nearest 32-bit float.
    EXPECT_EQ(folder.Read("Spell.csv"),
              "16,Fireball,1.5,-1\r\n"
              "255,\"Frost Nova\",0.100000001490116,7\r\n"
              "0,,-2.25,0\r\n");
}

// The byte order mark goes first exactly when some text written is not UTF-8; an export of
// UTF-8 texts alone keeps the bytes it always had.
class CsvExportMarkTest : public ::testing::Test {
  protected:
    std::string Export(RecordTable& table, bool header, std::optional<int> row = std::nullopt) {
        TextLineWriter file(folder.File("out.csv"));
        WriteCsvExport(table, file, header, row);
        file.Commit();
        return folder.Read("out.csv");
    }

    testing::TempDir folder;
};

TEST_F(CsvExportMarkTest, MarksWhatHoldsATextThatIsNotUtf8) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}});
    AddRecord(table, {"1", "\xD0\x9C\xD0\xB8\xD1\x80"});
    AddRecord(table, {"2", "\xE4\xB8\xAD"});
    const std::string utf8 = "1,\xD0\x9C\xD0\xB8\xD1\x80\r\n2,\xE4\xB8\xAD\r\n";
    EXPECT_EQ(Export(table, false), utf8);
    EXPECT_EQ(Export(table, true), "ID,Name\r\n" + utf8);

    AddRecord(table, {"3", "caf\xE9"});
    EXPECT_EQ(Export(table, false), "\xEF\xBB\xBF" + utf8 + "3,caf\xE9\r\n");
    EXPECT_EQ(Export(table, true), "\xEF\xBB\xBFID,Name\r\n" + utf8 + "3,caf\xE9\r\n");
    // One record: only its own texts count.
    EXPECT_EQ(Export(table, true, 1), "ID,Name\r\n2,\xE4\xB8\xAD\r\n");
    EXPECT_EQ(Export(table, false, 2),
              "\xEF\xBB\xBF"
              "3,caf\xE9\r\n");

    // The record being edited goes out as it will be stored, and a text no cell holds any more
    // is no reason for the mark.
    table.Edit();
    table.Fields(2).SetAsString("cafe");
    EXPECT_EQ(Export(table, false), utf8 + "3,cafe\r\n");
}

TEST_F(CsvExportMarkTest, MarksAColumnNameThatIsNotUtf8OnlyWithTheHeader) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Nom fran\xE7\x61is", FieldKind::ftString}});
    AddRecord(table, {"1", "a"});
    EXPECT_EQ(Export(table, false), "1,a\r\n");
    EXPECT_EQ(Export(table, true), "\xEF\xBB\xBFID,\"Nom fran\xE7\x61is\"\r\n1,a\r\n");
    EXPECT_EQ(Export(table, true, 0), "\xEF\xBB\xBFID,\"Nom fran\xE7\x61is\"\r\n1,a\r\n");
}

// Real client files hold bytes in their string block that no cell points to.
TEST_F(CsvExportMarkTest, BytesOfTheFileThatNoCellHoldsAreNoReasonForTheMark) {
    using namespace std::string_literals;
    const std::string strings = "\0Moonfire\0\xFF\xFE junk\0"s;
    testing::DbcBytes file;
    file.Header(1, 2, 8, static_cast<int32_t>(strings.size())).Int(7).Int(1).Raw(strings);
    folder.Write("Spell.dbc", file.Bytes());
    testing::WriteFieldDefs(folder.File("Spell.dbc"), {{"ID"}, {"Name", FieldKind::ftString}});
    Workspace workspace;
    OpenDbcTable(workspace, folder.File("Spell.dbc"));
    ASSERT_FALSE(workspace.Table.Strings().HoldsOnlyUtf8());
    EXPECT_EQ(Export(workspace.Table, false), "7,Moonfire\r\n");
}

}  // namespace
}  // namespace kelvane

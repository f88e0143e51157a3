// Patch text written from a table and applied to a copy gives the same table; where the format
// cannot carry a value, the export's read-back check says so for exactly those lines.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"
#include "core/files/TextFile.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "exchange/PatchReader.h"
#include "exchange/PatchText.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::TableTexts;

std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

void BuildTableLike(RecordTable& copy, const RecordTable& source) {
    std::vector<testing::ColumnSpec> fields;
    for (int column = 1; column < source.FieldCount(); ++column) {
        fields.push_back({source.ColumnName(column), source.ColumnKind(column)});
    }
    testing::BuildTable(copy, fields);
}

class PatchRoundTripTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = folder.File("Spell.dbc");
        folder.Write("Spell.dbc", testing::SpellSample().Bytes());
        testing::WriteFieldDefs(path, testing::SpellSampleFields());
        OpenDbcTable(source, path);
        // Texts the format carries, among them commas, quotes and blanks; a blank speed.
        RecordTable& table = source.Table;
        table.MoveTo(0);
        table.Edit();
        table.Fields(2).SetAsString("Fire, Ball");
        table.MoveTo(1);
        table.Edit();
        table.Fields(2).SetAsString("Rusty, \"old\" Blade");
        table.Fields(3).SetAsString("");
        AddRecord(table, {"-7", "  padded  ", "1E-5", "$7FFFFFFF"});
        table.First();
    }

    testing::TempDir folder;
    std::string path;
    Workspace source;
};

TEST_F(PatchRoundTripTest, AppliedToAnEmptyCopy) {
    const PatchExport exported = ExportPatchAll(source.Table);
    EXPECT_EQ(exported.ReadBack.ProblemCount(), 0);
    RecordTable copy;
    BuildTableLike(copy, source.Table);
    ApplyPatchText(copy, JoinedLines(exported.Lines));
    copy.First();
    EXPECT_EQ(TableTexts(copy), TableTexts(source.Table));
}

TEST_F(PatchRoundTripTest, AppliedToAnOlderStateOfTheSameFile) {
    const PatchExport exported = ExportPatchAll(source.Table);
    Workspace older;
    OpenDbcTable(older, path);
    older.Table.MoveTo(2);
    older.Table.Edit();
    older.Table.Fields(4).SetAsInteger(99);
    older.Table.Post();
    ApplyPatchText(older.Table, JoinedLines(exported.Lines));
    older.Table.First();
    EXPECT_EQ(TableTexts(older.Table), TableTexts(source.Table));
}

TEST(PatchRoundTrip, ApplyingATablesOwnExportChangesNothing) {
    RecordTable table;
    testing::BuildShuffledTable(table, 3000);
    const auto before = TableTexts(table);
    const PatchApplyReport report = ApplyPatchText(table, JoinedLines(ExportPatchAll(table).Lines));
    EXPECT_EQ(report.LinesApplied, 3000);
    EXPECT_EQ(report.RecordsAdded, 0);
    table.First();
    EXPECT_EQ(TableTexts(table), before);
}

// -0, NaNs with a payload, a sign or signalling, infinities and denormals: each float's text
// reads back as its bits, so the export needs no warning and an empty copy gets every value.
TEST(PatchRoundTrip, FloatsOfEveryKindComeBackBitForBit) {
    const std::vector<uint32_t> patterns = {0x80000000, 0x7FC00000, 0x7FC00001, 0xFFC00000,
                                            0x7F800001, 0xFFFFFFFF, 0x7F800000, 0xFF800000,
                                            0x00000001, 0x807FFFFF, 0x3DCCCCCD};
    RecordTable table;
    testing::BuildTable(table, {{"ID"}, {"Speed", FieldKind::ftFloat}});
    for (const uint32_t pattern : patterns) {
        table.Append();
        table.Fields(1).SetAsInteger(table.RecordCount());
        table.Fields(2).SetAsFloat(WidenFloat(std::bit_cast<float>(pattern)));
        table.Post();
    }
    const PatchExport exported = ExportPatchAll(table);
    EXPECT_EQ(exported.ReadBack.ProblemCount(), 0);
    EXPECT_EQ(exported.Lines[0], "0:1=-0");
    EXPECT_EQ(exported.Lines[2], "2:1=NAN(0x7FC00001)");

    RecordTable copy;
    BuildTableLike(copy, table);
    ApplyPatchText(copy, JoinedLines(exported.Lines));
    copy.First();
    ASSERT_EQ(copy.RecordCount(), static_cast<int>(patterns.size()));
    for (int row = 0; row < copy.RecordCount(); ++row) {
        EXPECT_EQ(std::bit_cast<uint32_t>(NearestFloat(copy.FloatAt(row, 2))),
                  patterns[static_cast<size_t>(row)])
            << exported.Lines[static_cast<size_t>(row)];
    }
}

// A table whose key column repeats (one record per class and race): the lines the export names
// are exactly the records that an empty copy does not get back.
TEST(PatchRoundTrip, RepeatedKeysAreTheRecordsAnEmptyCopyLoses) {
    RecordTable table;
    testing::BuildTable(table, {{"Class"}, {"Race"}, {"Name", FieldKind::ftString}});
    for (int playable = 1; playable <= 3; ++playable) {
        for (int race = 1; race <= 4; ++race) {
            AddRecord(table, {std::to_string(playable), std::to_string(race), "n"});
        }
    }
    const PatchExport exported = ExportPatchAll(table);
    const PatchReadBackReport::Kind& repeats = exported.ReadBack.Of(PatchProblem::RepeatedKey);
    EXPECT_EQ(repeats.Lines, 9);
    EXPECT_EQ(repeats.FirstKeys, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_NE(exported.ReadBack.Warning().find("- keys that repeat: 9 lines (keys '1', '2', '3')"),
              std::string::npos)
        << exported.ReadBack.Warning();

    RecordTable copy;
    BuildTableLike(copy, table);
    const PatchApplyReport applied = ApplyPatchText(copy, JoinedLines(exported.Lines));
    EXPECT_EQ(applied.LinesApplied, 12);
    EXPECT_EQ(applied.RecordsAdded, 12 - repeats.Lines);
}

// A tooltip with a line break: the export names the line break, and applying the file stops at
// the broken-off rest, saying that it is one.
TEST(PatchRoundTrip, ALineBreakInAValueIsNamedOnExportAndOnApply) {
    const struct {
        std::string Tooltip;
        std::string Message;
    } cases[] = {
        {"Increases damage by\r\n   1 point  .",
         "the line does not start with a key (no ':' after one): '   1 point  .,2=7'; probably "
         "the rest of a text with a line break"},
        {"Rank:\n   1 point  : fire",
         "the line does not start with a key ('   1 point  ' is not a valid integer value for "
         "field 'ID'): '   1 point  : fire,2=7'; probably the rest of a text with a line break"},
    };
    const testing::TempDir folder;
    const std::string path = folder.File("patch.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Tooltip);
        RecordTable table;
        testing::BuildTable(table, {{"ID"}, {"Tooltip", FieldKind::ftString}, {"Rank"}});
        AddRecord(table, {"5", c.Tooltip, "7"});
        const PatchExport exported = ExportPatchAll(table);
        EXPECT_EQ(exported.ReadBack.Of(PatchProblem::LineBreak).Lines, 1);
        EXPECT_EQ(exported.ReadBack.ProblemCount(), 1);
        WriteTextLines(path, exported.Lines);

        RecordTable copy;
        BuildTableLike(copy, table);
        try {
            ApplyPatchFile(copy, path);
            ADD_FAILURE() << "the broken line was applied";
        } catch (const PatchLineError& error) {
            EXPECT_EQ(error.LineNumber, 2);
            EXPECT_EQ(error.what(), path + " line 2: " + c.Message);
        }
    }
}

// Random texts from the characters the format treats specially: a line reads back by the
// export's check exactly when applying it alone to an empty copy rebuilds its record.
TEST(PatchReadBackCheck, AgreesWithWhatTheReaderDoes) {
    constexpr std::string_view kAlphabet = "aaaabb11,,\"\"==::  /;\r";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<size_t> length(0, 4);
    std::uniform_int_distribution<size_t> letter(0, kAlphabet.size() - 1);
    auto randomText = [&] {
        std::string text;
        for (size_t n = length(random); n > 0; --n) {
            text += kAlphabet[letter(random)];
        }
        return text;
    };

    int readsBack = 0;
    int misread = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        RecordTable table;
        testing::BuildTable(
            table,
            {{"Key", FieldKind::ftString}, {"A", FieldKind::ftString}, {"B", FieldKind::ftString}});
        AddRecord(table, {randomText(), randomText(), randomText()});
        const PatchExport exported = ExportPatchRow(table, 0);

        RecordTable copy;
        BuildTableLike(copy, table);
        bool rebuilt = false;
        try {
            ApplyPatchText(copy, exported.Lines[0]);
            rebuilt = copy.RowCount() == 1 && TableTexts(copy) == TableTexts(table);
        } catch (const KelvaneError&) {
        }
        const std::string& line = exported.Lines[0];
        const bool checked = exported.ReadBack.ProblemCount() == 0;
        EXPECT_EQ(checked, rebuilt) << "line: " << ::testing::PrintToString(line);
        // The cause named is one the line shows.
        const auto named = [&](PatchProblem problem) {
            return exported.ReadBack.Of(problem).Lines > 0;
        };
        EXPECT_EQ(named(PatchProblem::LineBreak), line.find('\r') != std::string::npos) << line;
        if (named(PatchProblem::DoubleQuote)) {
            EXPECT_NE(line.find('"'), std::string::npos) << line;
        }
        (checked ? readsBack : misread) += 1;
    }
    // Both outcomes are common enough for the comparison to mean something.
    EXPECT_GT(readsBack, 200);
    EXPECT_GT(misread, 200);
}

}  // namespace
}  // namespace kelvane

// Patch text written from a table and applied to a copy gives the same table; where the format
// cannot carry a value, the export's read-back check says so for exactly those lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/KelvaneError.h"
#include "core/OpenTable.h"
#include "core/RecordTable.h"
#include "core/Workspace.h"
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
    EXPECT_EQ(exported.ReadBack.UnreadableLines, 0);
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
        const bool checked = exported.ReadBack.UnreadableLines == 0;
        EXPECT_EQ(checked, rebuilt) << "line: " << ::testing::PrintToString(exported.Lines[0]);
        (checked ? readsBack : misread) += 1;
    }
    // Both outcomes are common enough for the comparison to mean something.
    EXPECT_GT(readsBack, 200);
    EXPECT_GT(misread, 200);
}

}  // namespace
}  // namespace kelvane

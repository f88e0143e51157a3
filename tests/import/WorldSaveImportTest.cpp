#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/RecordTable.h"
#include "import/ScriptImports.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/import/ImportTables.h"

namespace kelvane {
namespace {

using testing::BuildTable;
using testing::ColumnSpec;
using testing::FloatCell;
using testing::ImportText;

std::vector<ColumnSpec> WorldColumns(bool withY = true) {
    std::vector<ColumnSpec> columns = {{"Entry"}, {"TYPE"}, {"X", FieldKind::ftFloat}};
    if (withY) {
        columns.push_back({"Y", FieldKind::ftFloat});
    }
    for (const char* name : {"Z", "R", "rX", "rY", "rZ", "rR"}) {
        columns.push_back({name, FieldKind::ftFloat});
    }
    columns.push_back({"xyz", FieldKind::ftString});
    return columns;
}

class WorldSaveImportTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildTable(table, WorldColumns()); }

    ImportReport Import(const std::string& text) {
        return ImportText(table, ScriptImport::WorldSave, text);
    }

    std::vector<float> Floats(int row, const std::vector<std::string>& columns) const {
        std::vector<float> values;
        for (const std::string& column : columns) {
            values.push_back(FloatCell(table, row, column));
        }
        return values;
    }

    RecordTable table;
};

TEST_F(WorldSaveImportTest, OnlySectionsWithTypeThreeLeaveARecord) {
    const ImportReport report = Import(
        "[OBJECT 1]\nENTRY=11\nTYPE=3\n"
        "[OBJECT 2]\nENTRY=12\nTYPE=4\n"
        "[object x]\nTYPE=2\nENTRY=13\nTYPE=3\n"  // wherever the line stands; the header is not
                                                  // read
        "[OBJECT 4]\nENTRY=14\n"
        "[OBJECT 5]\nENTRY=15\ntype=3\n"  // the key is compared exactly
        "[OBJECT 6]\nENTRY=16\nTYPE=03 // remark\n"
        "[OBJECT 7]\nENTRY=17\nTYPE= 3\n");  // the blank after "=" leaves nothing: 0

    std::vector<std::string> entries;
    for (int row = 0; row < table.RecordCount(); ++row) {
        entries.push_back(testing::Cell(table, row, "Entry"));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"11", "13", "16"}));
    EXPECT_EQ(report.RecordsAppended, 3);
    EXPECT_EQ(report.SectionsSkipped, 4);
    EXPECT_EQ(testing::Cell(table, 0, "TYPE"), "3");
}

TEST_F(WorldSaveImportTest, PositionsAndRotationsSpreadOverFourColumns) {
    const struct {
        std::string Line;
        std::vector<std::string> Columns;
        std::vector<float> Values;
    } cases[] = {
        {"XYZ=-8913.23 554.63 93.06 0.66",
         {"X", "Y", "Z", "R"},
         {-8913.23f, 554.63f, 93.06f, 0.66f}},
        {"XYZ=1 2 3", {"X", "Y", "Z", "R"}, {1, 2, 3, 0}},
        {"XYZ=1  2 3 4", {"X", "Y", "Z", "R"}, {1, 0, 2, 3}},
        {"XYZ=1/2 3 4", {"X", "Y", "Z", "R"}, {1, 2, 3, 4}},
        {"XYZ=1,5 2 3 4", {"X", "Y", "Z", "R"}, {0, 2, 3, 4}},
        {"ROTATION=0 0 0.5 0.866", {"rX", "rY", "rZ", "rR"}, {0, 0, 0.5f, 0.866f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        table.DeleteAllRecords();
        Import("[OBJECT 1]\nTYPE=3\n" + c.Line + "\n");
        ASSERT_EQ(table.RecordCount(), 1);
        EXPECT_EQ(Floats(0, c.Columns), c.Values);
    }
}

TEST_F(WorldSaveImportTest, OtherKeysGoByTheirColumns) {
    Import("[OBJECT 1]\nTYPE=3\nxyz=1 2 3 4\nEntry=0FF\n");

    EXPECT_EQ(testing::Cell(table, 0, "xyz"), "1 2 3 4");
    EXPECT_EQ(testing::Cell(table, 0, "Entry"), "255");
    EXPECT_EQ(Floats(0, {"X", "Y", "Z", "R"}), (std::vector<float>{0, 0, 0, 0}));
}

TEST(WorldSaveImport, AMissingColumnStopsTheLineThere) {
    RecordTable table;
    BuildTable(table, WorldColumns(false));
    const ImportReport report =
        ImportText(table, ScriptImport::WorldSave, "[OBJECT 1]\nTYPE=3\nXYZ=1 2 3 4\n");

    EXPECT_EQ(FloatCell(table, 0, "X"), 1.0f);
    EXPECT_EQ(FloatCell(table, 0, "Z"), 0.0f);
    EXPECT_EQ(FloatCell(table, 0, "R"), 0.0f);
    EXPECT_EQ(report.LinesPassedOver, 1);
}

}  // namespace
}  // namespace kelvane

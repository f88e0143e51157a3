#include "databases/SqlTableShape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;

TEST(SqlTableShape, ColumnsFollowTheTableWithTheFileLayoutsCellWidths) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"Name", FieldKind::ftString}, {"Flags"}, {"Level"}});
    const SqlTableShape shape =
        ShapeOfTable(table, CellLayout(std::vector<uint8_t>{4, 4, 1, 2}), "Spell");

    EXPECT_EQ(shape.Name, "Spell");
    ASSERT_EQ(shape.Columns.size(), 4u);
    EXPECT_EQ(shape.Columns[1].Name, "Name");
    EXPECT_EQ(shape.Columns[1].Kind, FieldKind::ftString);
    EXPECT_EQ(shape.Columns[1].TableColumn, 2);
    EXPECT_EQ(shape.Columns[2].CellBytes, 1);
    EXPECT_EQ(shape.Columns[3].CellBytes, 2);

    // A layout of another table (a column added since the load) says nothing of this one.
    const SqlTableShape wider = ShapeOfTable(table, CellLayout::WholeThenBytes(2, 1), "Spell");
    EXPECT_EQ(wider.Columns[2].CellBytes, 4);
}

TEST(SqlTableShape, TheKeyIsUniqueOnlyWithoutRepeatsOrBlanks) {
    struct Case {
        FieldKind KeyKind;
        std::vector<std::string> Keys;
        bool Unique;
    };
    const std::vector<Case> cases = {
        {FieldKind::ftInteger, {}, true},
        {FieldKind::ftInteger, {"1", "2", "3"}, true},
        {FieldKind::ftInteger, {"1", "2", "1"}, false},
        {FieldKind::ftInteger, {"1", ""}, false},
        {FieldKind::ftString, {"a", "A"}, true},
        {FieldKind::ftString, {"a", "a"}, false},
        {FieldKind::ftFloat, {"0.5", "1.5"}, true},
        {FieldKind::ftFloat, {"0.5", "0.5"}, false},
    };
    for (const Case& c : cases) {
        RecordTable table;
        BuildTable(table, {{"Key", c.KeyKind}, {"Other"}});
        for (const std::string& key : c.Keys) {
            AddRecord(table, {key, "0"});
        }
        EXPECT_EQ(ShapeOfTable(table, CellLayout(), "T").KeyIsUnique, c.Unique)
            << ::testing::PrintToString(c.Keys);
    }
}

}  // namespace
}  // namespace kelvane

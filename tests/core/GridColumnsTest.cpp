#include "core/table/ColumnPresentation.h"
#include "core/table/GridColumns.h"

#include <gtest/gtest.h>

#include "core/table/FieldDef.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

class GridColumnsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table.AddFieldDef("Index", FieldKind::ftInteger, true);
        AddColumn("attributes", FieldKind::ftInteger, true);
        AddColumn("speed", FieldKind::ftFloat, false);
        AddColumn("name", FieldKind::ftString, false);
        AddColumn("level", FieldKind::ftInteger, false);
        table.OpenEmpty();
        for (int i = 0; i < 3; ++i) {
            table.Append();
            table.Post();
        }
    }
    void AddColumn(const std::string& name, FieldKind kind, bool hex) {
        const int entry = table.FieldDefCount() - 1;
        defs[entry] = FieldDef{entry, name, std::string(FieldKindText(kind)), kind, hex};
        table.AddFieldDef(name, kind, false);
    }
    RecordTable table;
    FieldDefList defs;
};

TEST_F(GridColumnsTest, CaptionsCarryTheKindSuffixes) {
    ApplyColumnCaptions(table, defs);
    EXPECT_EQ(table.Presentation(0).Caption, "Index");
    EXPECT_EQ(table.Presentation(1).Caption, "attributes(hex)");
    EXPECT_EQ(table.Presentation(2).Caption, "speed(float)");
    // Numbers line up on their last digit whatever their kind.
    EXPECT_EQ(table.Presentation(2).Alignment, ColumnAlignment::Right);
    EXPECT_EQ(table.Presentation(3).Caption, "name");
    EXPECT_EQ(table.Presentation(4).Caption, "level");
    EXPECT_EQ(table.Presentation(4).Alignment, ColumnAlignment::Right);
}

TEST_F(GridColumnsTest, SetupAttachesHooksAllowedCharactersAndWidths) {
    table.Last();
    SetupGridColumns(table, defs);
    EXPECT_EQ(table.CurrentRow(), 0);

    EXPECT_TRUE(table.Presentation(1).HexHooks);
    EXPECT_TRUE(table.Presentation(1).ValidChars.Allows('f'));
    EXPECT_FALSE(table.Presentation(1).ValidChars.Allows('g'));
    EXPECT_FALSE(table.Presentation(4).HexHooks);
    EXPECT_FALSE(table.Presentation(4).ValidChars.Allows('-'));
    EXPECT_TRUE(table.Presentation(4).ValidChars.Allows('7'));
    EXPECT_TRUE(table.Presentation(0).ValidChars.Allows('-'));
    EXPECT_TRUE(table.Presentation(2).ValidChars.Allows('E'));
    EXPECT_TRUE(table.Presentation(3).ValidChars.AllowsAll());
    EXPECT_EQ(table.Presentation(3).WidthPixels, 150);
    EXPECT_EQ(table.Presentation(1).WidthPixels, 0);

    // Hooks come off again when the definitions no longer ask for them.
    defs[0].Hex = false;
    SetupGridColumns(table, defs);
    EXPECT_FALSE(table.Presentation(1).HexHooks);
    EXPECT_EQ(table.DisplayText(0, 1), "0");
}

TEST(MakeFieldNamesUnique, LowerEntriesKeepTheirNames) {
    FieldDefList defs;
    const char* names[] = {"Spell", "X", "spell", "X", "other", "X"};
    for (int i = 0; i < 6; ++i) {
        defs[i].Name = names[i];
    }
    MakeFieldNamesUnique(defs, 5);
    EXPECT_EQ(defs[0].Name, "Spell");
    EXPECT_EQ(defs[1].Name, "X");
    EXPECT_EQ(defs[2].Name, "spell c2");
    EXPECT_EQ(defs[3].Name, "X c3");
    EXPECT_EQ(defs[4].Name, "other");
    EXPECT_EQ(defs[5].Name, "X c5 c5");

    MakeFieldNamesUnique(defs, -1);  // nothing to do
    EXPECT_EQ(defs[5].Name, "X c5 c5");
}

}  // namespace
}  // namespace kelvane

#include "app/ColumnHeaderTip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::testing {
namespace {

struct TipCase {
    const char* Name;
    FieldKind Kind;
    ColumnHelp Help;
    const char* Tip;
};

TEST(ColumnHeaderTipTest, GivesOneFactALineAndLeavesOutWhatIsNotKnown) {
    const std::vector<TipCase> cases = {
        {"ID", FieldKind::ftInteger, {"", "", true}, "ID (integer)\nKey"},
        {"Name_enUS",
         FieldKind::ftString,
         {"Shown in the spell book", "", false},
         "Name_enUS (text)\nShown in the spell book"},
        {"SpellIconID",
         FieldKind::ftInteger,
         {"", "SpellIcon::ID", false},
         "SpellIconID (integer)\nRefers to SpellIcon::ID"},
        {"Speed",
         FieldKind::ftFloat,
         {"yards per second", "Other::ID", true},
         "Speed (float)\nyards per second\nKey\nRefers to Other::ID"},
        {"3", FieldKind::ftInteger, {}, "3 (integer)"},
    };
    for (const TipCase& c : cases) {
        EXPECT_EQ(ColumnHeaderTip(c.Name, c.Kind, c.Help), c.Tip);
    }
}

TEST(ColumnHeaderTipTest, FieldIDescribesColumnIPlusOneAndTheIndexColumnHasNoHelp) {
    TableDefinitions definitions;
    definitions.Help = {{"the key", "", true}, {"", "Table::ID", false}};
    EXPECT_EQ(HelpOfColumn(definitions, 0).Comment, "");
    EXPECT_FALSE(HelpOfColumn(definitions, 0).IsKey);
    EXPECT_EQ(HelpOfColumn(definitions, 1).Comment, "the key");
    EXPECT_EQ(HelpOfColumn(definitions, 2).ForeignKey, "Table::ID");
    // A table loaded with more columns than the definitions describe, and a bad column.
    EXPECT_EQ(HelpOfColumn(definitions, 3).ForeignKey, "");
    EXPECT_EQ(HelpOfColumn(definitions, -1).ForeignKey, "");
    EXPECT_EQ(HelpOfColumn(TableDefinitions{}, 1).Comment, "");
}

}  // namespace
}  // namespace kelvane::testing

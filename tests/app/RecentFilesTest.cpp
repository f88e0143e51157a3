#include "app/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane::testing {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFilesTest, NewestComesFirstAndAReopenedFileMovesUp) {
    RecentFiles recent;
    recent.Add("/a/Spell.dbc");
    recent.Add("/a/Item.dbc");
    recent.Add("/a/Spell.dbc");
    EXPECT_EQ(recent.Paths(), (Paths{"/a/Spell.dbc", "/a/Item.dbc"}));
}

TEST(RecentFilesTest, KeepsTheLastTenOnly) {
    RecentFiles recent;
    for (int i = 0; i < 12; ++i) {
        recent.Add("/t/" + std::to_string(i) + ".dbc");
    }
    ASSERT_EQ(recent.Paths().size(), 10u);
    EXPECT_EQ(recent.Paths().front(), "/t/11.dbc");
    EXPECT_EQ(recent.Paths().back(), "/t/2.dbc");
}

TEST(RecentFilesTest, AKeptListLosesRepeatsBlanksAndWhatIsPastTen) {
    Paths kept = {"/x/A.dbc", "", "/x/B.dbc", "/x/A.dbc"};
    for (int i = 0; i < 10; ++i) {
        kept.push_back("/more/" + std::to_string(i) + ".dbc");
    }
    const RecentFiles recent(kept);
    ASSERT_EQ(recent.Paths().size(), 10u);
    EXPECT_EQ(recent.Paths()[0], "/x/A.dbc");
    EXPECT_EQ(recent.Paths()[1], "/x/B.dbc");
    EXPECT_EQ(recent.Paths()[9], "/more/7.dbc");
}

TEST(RecentFilesTest, EntryCaptionsCarryTheirNumberAsMnemonic) {
    EXPECT_EQ(RecentFiles::EntryCaption(0, "/d/Spell.dbc"), "&1 /d/Spell.dbc");
    EXPECT_EQ(RecentFiles::EntryCaption(8, "Item.dbc"), "&9 Item.dbc");
    EXPECT_EQ(RecentFiles::EntryCaption(9, "Item.dbc"), "1&0 Item.dbc");
    EXPECT_EQ(RecentFiles::EntryCaption(1, "/R&D/A.dbc"), "&2 /R&&D/A.dbc");
}

}  // namespace
}  // namespace kelvane::testing

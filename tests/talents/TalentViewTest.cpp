#include <gtest/gtest.h>

#include "core/base/KelvaneError.h"
#include "talents/TalentClasses.h"
#include "tests/talents/TalentBench.h"
#include "tests/talents/TalentSample.h"

namespace kelvane::testing {
namespace {

std::vector<std::string> TabIds(const TalentBench& bench) {
    std::vector<std::string> ids;
    for (int row = 0; row < bench.Editor.Tabs().RowCount(); ++row) {
        ids.push_back(bench.TabCell(TabCell::Id, row));
    }
    return ids;
}

TEST(TalentViewLoad, ShowingAsksForBothFilesAndLeavesTalentDbcOpen) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();

    ASSERT_EQ(bench.Dialogs.FileRequests.size(), 2u);
    const FileDialogRequest& tabs = bench.Dialogs.FileRequests[0];
    EXPECT_EQ(tabs.Title, "Find your TalentTab.dbc");
    ASSERT_EQ(tabs.Filters.size(), 1u);
    EXPECT_EQ(tabs.Filters[0].Name, "TalentTab.dbc");
    EXPECT_EQ(tabs.Filters[0].Pattern, "TalentTab.dbc");
    EXPECT_EQ(tabs.DefaultExtension, "TalentTab.dbc");
    EXPECT_EQ(bench.Dialogs.FileRequests[1].Title, "Find your Talent.dbc");

    EXPECT_EQ(bench.Files.Opened, (std::vector<std::string>{bench.TabPath, bench.TalentPath}));
    EXPECT_EQ(bench.CurrentFile(), bench.TalentPath);
    EXPECT_FALSE(bench.Editor.AskForFiles());
    // Warlock, tab 1.
    EXPECT_EQ(bench.Editor.TabName(), "Affliction");
    EXPECT_EQ(bench.Editor.Slot(1).Talent, "1001");
}

TEST(TalentViewLoad, ClassAndTabChangesReloadWithoutAsking) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    bench.Editor.SelectTab(1);
    bench.Editor.SelectClass(kPriest);

    EXPECT_EQ(bench.Dialogs.FileRequests.size(), 2u);
    EXPECT_EQ(bench.Files.Opened.size(), 6u);
    EXPECT_EQ(bench.Editor.TabName(), "Holy");
}

TEST(TalentViewLoad, CancelledDialogsLoadNothingAndLaterChangesStayQuiet) {
    for (const bool cancelFirst : {true, false}) {
        TalentBench bench(SampleTabs(), SampleTalents());
        bench.Dialogs.FileAnswers.push_back(cancelFirst ? std::nullopt
                                                        : std::optional(bench.TabPath));
        bench.Dialogs.FileAnswers.push_back(cancelFirst ? std::optional(bench.TalentPath)
                                                        : std::nullopt);
        bench.Editor.ChooseFilesAndLoad();

        EXPECT_EQ(bench.Dialogs.FileRequests.size(), 2u) << "both dialogs are shown";
        EXPECT_TRUE(bench.Editor.AskForFiles());
        EXPECT_EQ(bench.Editor.TalentTabPath(), cancelFirst ? "" : bench.TabPath);
        EXPECT_EQ(bench.Editor.TalentPath(), cancelFirst ? bench.TalentPath : "");

        bench.Editor.SelectClass(kHunter);
        bench.Editor.SelectTab(2);
        bench.Editor.SaveTables();
        bench.Editor.DeleteTalent("1001");
        EXPECT_TRUE(bench.Files.Opened.empty());
        EXPECT_TRUE(bench.Dialogs.Messages.empty());
        EXPECT_EQ(bench.Editor.Slot(1).Talent, "");
    }
}

TEST(TalentViewLoad, ShowingAgainAsksAgain) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    bench.Show();
    EXPECT_EQ(bench.Dialogs.FileRequests.size(), 4u);
}

TEST(TalentViewLoad, AClassTakesTheTabsWhoseMaskEqualsItsOwn) {
    struct Case {
        int ClassIndex;
        std::vector<std::string> TabIds;
    };
    // The shared tab 500 (mask 6) belongs to neither Hunter nor Warrior.
    const Case cases[] = {
        {kHunter, {"361"}},
        {kWarrior, {"161", "162", "163", "164", "501"}},
        {kPaladin, {"381"}},
        {kPriest, {"201", "202", "501", "502", "503"}},
        {kWarlock, {"41", "42", "43", "501", "502"}},
    };
    for (const Case& c : cases) {
        TalentBench bench(SampleTabs(), SampleTalents());
        bench.ShowTab(c.ClassIndex, 0);
        EXPECT_EQ(TabIds(bench), c.TabIds) << TalentClasses[static_cast<size_t>(c.ClassIndex)].Name;
    }
}

TEST(TalentViewLoad, ATwoTabClassGetsThreeEmptyTabsAfterTheLargestId) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.ShowTab(kPriest, 0);
    for (int row = 2; row < 5; ++row) {
        for (int column = TabCell::Name; column < TabCell::Count; ++column) {
            EXPECT_EQ(bench.TabCell(column, row), "") << "row " << row << " column " << column;
        }
    }
    bench.Editor.SelectTab(3);
    EXPECT_EQ(bench.Editor.TabName(), "");
    // An unnamed new tab still loads: it has no talents.
    EXPECT_EQ(bench.Editor.Slot(1).Talent, "");
}

TEST(TalentViewLoad, TheThreeTabRuleZeroesItsRowsAndComputesColumnEleven) {
    struct Case {
        std::array<int32_t, 3> Spacings;
        std::string Row3;
        std::string Row4;
    };
    const Case cases[] = {
        {{10, 20, 30}, "138", "266"},
        {{0, 128, 256}, "384", "640"},
        {{30, 20, 10}, "158", "286"},
        {{-5, -3, -2}, "-1", "-1"},
    };
    for (const Case& c : cases) {
        std::vector<SampleTab> tabs;
        for (size_t i = 0; i < c.Spacings.size(); ++i) {
            tabs.push_back(
                {static_cast<int32_t>(10 + i), "T" + std::to_string(i), 256, c.Spacings[i], 0, 7});
        }
        TalentBench bench(tabs, {});
        bench.ShowTab(kWarlock, 0);
        ASSERT_EQ(bench.Editor.Tabs().RowCount(), 5);
        EXPECT_EQ(bench.TabCell(TabCell::Id, 3), "13");
        EXPECT_EQ(bench.TabCell(TabCell::Id, 4), "14");
        EXPECT_EQ(bench.TabCell(TabCell::Spacing, 3), c.Row3) << c.Spacings[0];
        EXPECT_EQ(bench.TabCell(TabCell::Spacing, 4), c.Row4) << c.Spacings[0];
        for (int column = TabCell::FirstZeroed; column < TabCell::Count; ++column) {
            if (column != TabCell::Spacing) {
                EXPECT_EQ(bench.TabCell(column, 3), "0") << column;
            }
        }
        EXPECT_EQ(bench.TabCell(TabCell::Name, 4), "");
    }
}

TEST(TalentViewLoad, ASixTabClassShowsItsFirstFive) {
    std::vector<SampleTab> tabs;
    for (int32_t id = 1; id <= 6; ++id) {
        tabs.push_back({id, "Tab" + std::to_string(id), 8});
    }
    TalentBench bench(tabs, {});
    bench.ShowTab(8, 4);
    EXPECT_EQ(bench.Editor.Tabs().RowCount(), 6);
    EXPECT_EQ(bench.Editor.TabName(), "Tab5");
}

TEST(TalentViewLoad, SlotsShowTheLastTalentPlacedOnThem) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();

    const SlotTexts& first = bench.Editor.Slot(1);
    EXPECT_EQ(first.Talent, "1001");
    EXPECT_EQ(first.ReqTalent, "0");
    EXPECT_EQ(first.ReqRank, "1") << "a stored required rank 0 shows as 1";

    const SlotTexts& shared = bench.Editor.Slot(7);  // row 1, column 2
    EXPECT_EQ(shared.Talent, "1003") << "the later talent on a slot wins";
    EXPECT_EQ(shared.ReqTalent, "1001");

    EXPECT_EQ(bench.Editor.Slot(28).Talent, "1006");
    EXPECT_EQ(bench.Editor.Slot(28).ReqRank, "5");

    // Talent 1004 sits in row 7: held, shown nowhere. Talent 1005 belongs to another tab.
    EXPECT_EQ(bench.Editor.Talents().FindRow(TalentCell::Id, "1004"), 3);
    EXPECT_EQ(bench.Editor.Talents().FindRow(TalentCell::Id, "1005"), -1);
    int shownSlots = 0;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        EXPECT_NE(bench.Editor.Slot(slot).Talent, "1004");
        shownSlots += bench.Editor.Slot(slot).Talent.empty() ? 0 : 1;
    }
    EXPECT_EQ(shownSlots, 3);
    // The tab's talents in table order, then one empty row.
    EXPECT_EQ(bench.Editor.Talents().RowCount(), 6);
    EXPECT_EQ(bench.TalentCell(TalentCell::Id, 5), "");
}

TEST(TalentViewLoad, ChangingTabsNamesTheNewTabRowAsIfTyped) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    bench.Editor.SelectTab(1);

    EXPECT_EQ(bench.Editor.TabName(), "Demonology");
    EXPECT_EQ(bench.TabCell(TabCell::InternalName, 1), "WarlockDemonology");
    EXPECT_EQ(bench.TabCell(TabCell::Position, 1), "1");
    EXPECT_EQ(bench.TabCell(TabCell::ClassMask, 1), "256");
    EXPECT_EQ(bench.TabCell(TabCell::Mask511, 1), "511");
    EXPECT_EQ(bench.TabCell(TabCell::Flags, 1), "2031678");
    EXPECT_EQ(bench.TabCell(TabCell::Flags, 0), "7") << "other rows keep their cells";
}

TEST(TalentViewLoad, ATabOfTheSameNameChangesNothing) {
    TalentBench bench({{1, "Same", 8, 0, 0, 7}, {2, "Same", 8, 0, 0, 7}}, {});
    bench.ShowTab(8, 0);
    ASSERT_EQ(bench.TabCell(TabCell::InternalName, 0), "RogueSame");
    bench.Editor.SelectTab(1);
    EXPECT_EQ(bench.Editor.TabName(), "Same");
    EXPECT_EQ(bench.TabCell(TabCell::InternalName, 1), "InternalSame");
    EXPECT_EQ(bench.TabCell(TabCell::Flags, 1), "7");
}

TEST(TalentViewLoad, ATabWithoutARowFailsBeforeTalentDbcIsRead) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    bench.Editor.SelectClass(kHunter);
    bench.Files.Opened.clear();
    try {
        bench.Editor.SelectTab(1);
        FAIL() << "expected the integer-conversion failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(bench.Files.Opened, (std::vector<std::string>{bench.TabPath}));
    EXPECT_EQ(bench.CurrentFile(), bench.TabPath);
    EXPECT_EQ(bench.Editor.Talents().RowCount(), 0);
    EXPECT_EQ(bench.Editor.Slot(1).Talent, "");
}

TEST(TalentViewLoad, ATableTooNarrowForTheEditorIsNamedInTheMessage) {
    TalentBench bench(SampleTabs(), SampleTalents());
    DbcBytes narrow;
    narrow.Header(1, 3, 12, 1).Int(1001).Int(41).Int(0).Raw(std::string(1, '\0'));
    WriteBytes(bench.TalentPath, narrow.Bytes());
    WriteFieldDefs(bench.TalentPath, {{"ID"}, {"TabID"}, {"Row"}});
    bench.Dialogs.FileAnswers = {bench.TabPath, bench.TalentPath};
    try {
        bench.Editor.ChooseFilesAndLoad();
        FAIL() << "expected a failure";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "\"" + bench.TalentPath +
                      "\" has 3 fields, but the talent editor needs at least 21. Check the "
                      "table's field definitions.");
    }
}

}  // namespace
}  // namespace kelvane::testing

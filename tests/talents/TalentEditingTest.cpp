#include <gtest/gtest.h>

#include "core/base/KelvaneError.h"
#include "tests/talents/TalentBench.h"
#include "tests/talents/TalentSample.h"

namespace kelvane::testing {
namespace {

constexpr int kEmptySlot = 2;  // row 0, column 1 of the Warlock tab 41 holds no talent
constexpr int kSlotOf1001 = 1;

// The Warlock tab 41 shown, with notes of every Ranks window notification.
struct EditingBench : TalentBench {
    int RanksShownCalls = 0;
    int RanksClosedCalls = 0;

    EditingBench() : TalentBench(SampleTabs(), SampleTalents()) {
        Editor.OnRanksWindow([this] { ++RanksShownCalls; }, [this] { ++RanksClosedCalls; });
        Show();
    }
    void Type(int slot, const std::string& talent, const std::string& reqTalent,
              const std::string& reqRank) {
        Editor.SetSlotText(slot, SlotField::Talent, talent);
        Editor.SetSlotText(slot, SlotField::ReqTalent, reqTalent);
        Editor.SetSlotText(slot, SlotField::ReqRank, reqRank);
    }
    std::vector<std::string> Row(int row) const {
        std::vector<std::string> cells;
        for (int column = 0; column < Editor.Talents().ColumnCount(); ++column) {
            cells.push_back(TalentCell(column, row));
        }
        return cells;
    }
};

TEST(TalentCommit, ANewIdOnAnEmptySlotBecomesANewLastRow) {
    EditingBench bench;
    bench.Type(kEmptySlot, "777", "", "");
    bench.Editor.CommitSlot(kEmptySlot);

    const int last = bench.Editor.Talents().RowCount() - 1;
    std::vector<std::string> expected(TalentCell::Count, "0");
    expected[0] = "";  // Index is never copied
    expected[TalentCell::Id] = "777";
    expected[TalentCell::Tab] = "41";
    expected[TalentCell::Row] = "0";
    expected[TalentCell::Column] = "1";
    expected[TalentCell::Emptied] = "";
    EXPECT_EQ(bench.Row(last), expected);
    EXPECT_EQ(bench.Editor.Talents().FindRow(TalentCell::Id, "777"), last);
    // The Ranks window was shown and closed again, bound to the slot.
    EXPECT_EQ(bench.RanksShownCalls, 1);
    EXPECT_EQ(bench.RanksClosedCalls, 1);
    EXPECT_FALSE(bench.Editor.RanksShown());
    EXPECT_EQ(bench.Editor.RanksBoundSlot(), kEmptySlot);
    EXPECT_TRUE(bench.Dialogs.Messages.empty());
    EXPECT_TRUE(bench.Files.Saved.empty()) << "nothing is written before SAVE";
}

TEST(TalentCommit, ReqNStoresOneLessThanShown) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "0"}, {"3", "2"}, {"0", "-1"}, {"", "0"}, {" 7", "6"}};
    for (const auto& [shown, stored] : cases) {
        EditingBench bench;
        bench.Type(kEmptySlot, "777", "1001", shown);
        bench.Editor.CommitSlot(kEmptySlot);
        const int row = bench.Editor.Talents().FindRow(TalentCell::Id, "777");
        EXPECT_EQ(bench.TalentCell(TalentCell::ReqRank, row), stored) << "Req. N '" << shown << "'";
        EXPECT_EQ(bench.TalentCell(TalentCell::ReqTalent, row), "1001");
    }
}

TEST(TalentCommit, AnExistingTalentKeepsItsRanksAndLosesItsCarriedCells) {
    EditingBench bench;
    bench.Editor.CommitSlot(kSlotOf1001);

    const std::vector<std::string> row = bench.Row(0);
    EXPECT_EQ(std::vector<std::string>(row.begin() + TalentCell::FirstRank,
                                       row.begin() + TalentCell::FirstRank + RankCount),
              (std::vector<std::string>{"11", "12", "13", "14", "15"}));
    for (int column : {10, 11, 12, 13, 15, 16, 18, 19, 21}) {
        EXPECT_EQ(row[static_cast<size_t>(column)], "0") << "column " << column;
    }
    EXPECT_EQ(row[TalentCell::Emptied], "");
    EXPECT_EQ(row[TalentCell::ReqRank], "0") << "the slot showed Req. N 1";
    EXPECT_EQ(bench.Editor.Talents().RowCount(), 6) << "no row was added";
}

TEST(TalentCommit, MovingATalentToAnotherSlotRewritesItsPlace) {
    EditingBench bench;
    bench.Type(28, "1001", "", "2");
    bench.Editor.CommitSlot(28);
    EXPECT_EQ(bench.TalentCell(TalentCell::Row, 0), "6");
    EXPECT_EQ(bench.TalentCell(TalentCell::Column, 0), "3");
    EXPECT_EQ(bench.TalentCell(TalentCell::ReqTalent, 0), "0");
    EXPECT_EQ(bench.TalentCell(TalentCell::ReqRank, 0), "1");
    // The slots are not redrawn until the next load.
    EXPECT_EQ(bench.Editor.Slot(kSlotOf1001).Talent, "1001");
}

TEST(TalentCommit, RefusalsComeInOrderAndChangeNothing) {
    struct Case {
        const char* Label;
        std::string TabName;
        std::string Talent;
        std::string ReqRank;
        std::string Message;  // shown in a message box
        std::string Failure;  // thrown
    };
    const Case cases[] = {
        {"no tab name", "", "", "x", "You need to enter Tab Name first!!!", ""},
        {"no talent ID", "Affliction", "", "x", "You need to enter talent ID first!!!", ""},
        {"Req. N not a number", "Affliction", "777", "2x", "", "'2x' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        EditingBench bench;
        bench.Editor.SetTabName(c.TabName);
        bench.Type(kEmptySlot, c.Talent, "", c.ReqRank);
        const WorkingTable before = bench.Editor.Talents();
        std::string failure;
        try {
            bench.Editor.CommitSlot(kEmptySlot);
        } catch (const KelvaneError& error) {
            failure = error.what();
        }
        EXPECT_EQ(failure, c.Failure) << c.Label;
        EXPECT_EQ(bench.Dialogs.Messages, c.Message.empty() ? std::vector<std::string>{}
                                                            : std::vector<std::string>{c.Message})
            << c.Label;
        EXPECT_EQ(bench.Editor.Talents().RowCount(), before.RowCount()) << c.Label;
        EXPECT_EQ(bench.RanksShownCalls, 0) << c.Label;
    }
}

TEST(TalentCommit, AReqNFailureLeavesAnExistingRowExactlyAsItWas) {
    EditingBench bench;
    bench.Editor.SetSlotText(kSlotOf1001, SlotField::ReqRank, "one");
    const std::vector<std::string> before = bench.Row(0);
    EXPECT_THROW(bench.Editor.CommitSlot(kSlotOf1001), KelvaneError);
    EXPECT_EQ(bench.Row(0), before);
}

TEST(TalentCommit, ATabWithoutAnIdFailsBeforeAnyOtherTest) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.ShowTab(kPriest, 2);  // a new, unnamed tab: it has an ID
    bench.Editor.SetTabName("");
    bench.Editor.CommitSlot(1);
    EXPECT_EQ(bench.Dialogs.Messages,
              std::vector<std::string>{"You need to enter Tab Name first!!!"});

    TalentBench hunter(SampleTabs(), SampleTalents());
    hunter.Editor.SelectClass(kHunter);
    hunter.Editor.SelectTab(1);
    EXPECT_THROW(hunter.Show(), KelvaneError);
    try {
        hunter.Editor.CommitSlot(1);
        FAIL() << "expected the integer-conversion failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_TRUE(hunter.Dialogs.Messages.empty());
}

TEST(TalentRanks, SFillsTheWindowFromTheSlotsTalentAndBindsIt) {
    EditingBench bench;
    bench.Editor.ShowRanks(kSlotOf1001);
    EXPECT_EQ(bench.Editor.Ranks(), (std::array<std::string, 5>{"11", "12", "13", "14", "15"}));
    EXPECT_EQ(bench.Editor.RanksBoundSlot(), kSlotOf1001);
    EXPECT_TRUE(bench.Editor.RanksShown());
    EXPECT_EQ(bench.RanksShownCalls, 1);

    // Slot 7 shows 1003; every slot finds its row by the talent ID alike.
    bench.Editor.ShowRanks(7);
    EXPECT_EQ(bench.Editor.Ranks(), (std::array<std::string, 5>{"41", "0", "0", "0", "0"}));
    EXPECT_EQ(bench.Editor.RanksBoundSlot(), 7);
    EXPECT_EQ(bench.RanksShownCalls, 2) << "an open window comes to the front";

    // An empty slot matches the empty last row: bound, five empty values.
    bench.Editor.ShowRanks(kEmptySlot);
    EXPECT_EQ(bench.Editor.Ranks(), (std::array<std::string, 5>{}));
    EXPECT_EQ(bench.Editor.RanksBoundSlot(), kEmptySlot);

    // A talent ID that no row holds keeps the values and the binding.
    bench.Editor.SetRankText(0, "typed");
    bench.Editor.SetSlotText(3, SlotField::Talent, "4242");
    bench.Editor.ShowRanks(3);
    EXPECT_EQ(bench.Editor.Ranks()[0], "typed");
    EXPECT_EQ(bench.Editor.RanksBoundSlot(), kEmptySlot);
}

TEST(TalentRanks, ClosingStoresIntoTheBoundTalentsRow) {
    EditingBench bench;
    bench.Editor.ShowRanks(kSlotOf1001);
    bench.Editor.SetRankText(1, "99");
    bench.Editor.SetRankText(4, "");
    bench.Editor.SetSlotText(kSlotOf1001, SlotField::ReqTalent, "1006");
    bench.Editor.CloseRanks();

    EXPECT_EQ(bench.TalentCell(TalentCell::FirstRank + 1, 0), "99");
    EXPECT_EQ(bench.TalentCell(TalentCell::FirstRank + 4, 0), "") << "stored as typed";
    EXPECT_EQ(bench.TalentCell(TalentCell::ReqTalent, 0), "1006");
    EXPECT_EQ(bench.TalentCell(TalentCell::Emptied, 0), "");
    EXPECT_EQ(bench.TalentCell(10, 0), "9") << "other columns stay";
    EXPECT_FALSE(bench.Editor.RanksShown());
    EXPECT_EQ(bench.RanksClosedCalls, 1);
}

TEST(TalentRanks, ClosingAfterTheBoundIdChangedAddsARow) {
    EditingBench bench;
    bench.Editor.ShowRanks(kSlotOf1001);
    bench.Editor.SetSlotText(kSlotOf1001, SlotField::Talent, "888");
    bench.Editor.SetSlotText(kSlotOf1001, SlotField::ReqTalent, "1002");
    bench.Editor.CloseRanks();

    const int row = bench.Editor.Talents().RowCount() - 1;
    EXPECT_EQ(row, 6);
    EXPECT_EQ(bench.TalentCell(TalentCell::Id, row), "888");
    EXPECT_EQ(bench.TalentCell(TalentCell::ReqTalent, row), "1002");
    EXPECT_EQ(bench.TalentCell(TalentCell::FirstRank, row), "11");
    EXPECT_EQ(bench.TalentCell(TalentCell::Tab, row), "") << "placed only by OK";
    EXPECT_EQ(bench.TalentCell(TalentCell::Id, 0), "1001") << "the old row stays";
}

TEST(TalentRanks, ClosingAWindowNeverBoundStoresNothing) {
    EditingBench bench;
    bench.Editor.SetSlotText(3, SlotField::Talent, "4242");
    bench.Editor.ShowRanks(3);  // no row holds 4242
    const WorkingTable before = bench.Editor.Talents();
    bench.Editor.CloseRanks();
    EXPECT_EQ(bench.Editor.Talents().RowCount(), before.RowCount());
    EXPECT_FALSE(bench.Editor.RanksBoundSlot());
    EXPECT_EQ(bench.RanksClosedCalls, 1);
}

TEST(TalentRanks, OkWhileTheWindowIsOpenDiscardsWhatWasTypedThere) {
    EditingBench bench;
    bench.Editor.ShowRanks(kSlotOf1001);
    bench.Editor.SetRankText(0, "500");
    bench.Editor.CommitSlot(kSlotOf1001);
    EXPECT_EQ(bench.TalentCell(TalentCell::FirstRank, 0), "11");
    EXPECT_FALSE(bench.Editor.RanksShown());
}

TEST(TalentTabName, TypingANameGivesTheTabRowItsClassCells) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.ShowTab(kPriest, 3);  // a new tab without a name
    bench.Editor.SetTabName("Shadow");

    EXPECT_EQ(bench.TabCell(TabCell::Name, 3), "Shadow");
    EXPECT_EQ(bench.TabCell(TabCell::InternalName, 3), "PriestShadow");
    EXPECT_EQ(bench.TabCell(TabCell::ClassMask, 3), "16");
    EXPECT_EQ(bench.TabCell(TabCell::Position, 3), "3");
    EXPECT_EQ(bench.TabCell(TabCell::Mask511, 3), "511");
    EXPECT_EQ(bench.TabCell(TabCell::Flags, 3), "2031678");
    EXPECT_EQ(bench.TabCell(TabCell::Id, 3), "502");
}

}  // namespace
}  // namespace kelvane::testing

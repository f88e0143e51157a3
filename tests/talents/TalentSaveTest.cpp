#include <gtest/gtest.h>

#include "core/base/KelvaneError.h"
#include "tests/talents/TalentBench.h"
#include "tests/talents/TalentSample.h"

namespace kelvane::testing {
namespace {

constexpr int kEmptySlot = 2;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Commit(TalentBench& bench, int slot, const std::string& id, const std::string& reqRank) {
    bench.Editor.SetSlotText(slot, SlotField::Talent, id);
    bench.Editor.SetSlotText(slot, SlotField::ReqRank, reqRank);
    bench.Editor.CommitSlot(slot);
}

TEST(TalentSave, UpdatesMatchingRecordsAndAddsNewOnesInOrder) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    Commit(bench, kEmptySlot, "777", "");
    Commit(bench, 3, "778", "2");
    Commit(bench, 1, "1001", "3");
    bench.Files.Opened.clear();
    bench.Editor.SaveTables();

    EXPECT_EQ(bench.Files.Opened, (std::vector<std::string>{bench.TabPath, bench.TalentPath}));
    EXPECT_EQ(bench.Files.Saved, (std::vector<std::string>{bench.TabPath, bench.TalentPath}));
    EXPECT_EQ(bench.CurrentFile(), bench.TalentPath);

    const TableOnDisk talents(bench.TalentPath);
    EXPECT_EQ(talents.Ids(), (std::vector<std::string>{"1001", "1002", "1005", "1003", "1004",
                                                       "1006", "777", "778"}));
    EXPECT_EQ(talents.Cell(0, TalentCell::ReqRank), "2");
    EXPECT_EQ(talents.Cell(0, 10), "0") << "the committed row was written whole";
    EXPECT_EQ(talents.Cell(1, 10), "9") << "rows not committed are written as loaded";
    EXPECT_EQ(talents.Cell(6, TalentCell::Tab), "41");
    EXPECT_EQ(talents.Cell(6, TalentCell::Emptied), "0") << "an empty cell is saved as 0";
    EXPECT_EQ(talents.Cell(7, TalentCell::ReqRank), "1");
    EXPECT_EQ(talents.Cell(7, 0), "7") << "new records follow the last one";

    // Reloading the tab shows what was saved.
    bench.Editor.SelectTab(0);
    EXPECT_EQ(bench.Editor.Slot(kEmptySlot).Talent, "777");
    EXPECT_EQ(bench.Editor.Slot(kEmptySlot).ReqTalent, "0");
    EXPECT_EQ(bench.Editor.Slot(kEmptySlot).ReqRank, "1");
}

TEST(TalentSave, ANewTabIsWrittenOnlyOnceNamed) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.ShowTab(kPriest, 2);
    bench.Editor.SaveTables();
    EXPECT_EQ(TableOnDisk(bench.TabPath).RecordCount(), 12) << "unnamed tabs are not written";

    bench.Editor.SetTabName("Shadow");
    bench.Editor.SaveTables();
    const TableOnDisk tabs(bench.TabPath);
    ASSERT_EQ(tabs.RecordCount(), 13);
    EXPECT_EQ(tabs.Cell(12, TabCell::Id), "501");
    EXPECT_EQ(tabs.Cell(12, TabCell::Name), "Shadow");
    EXPECT_EQ(tabs.Cell(12, TabCell::InternalName), "PriestShadow");
    EXPECT_EQ(tabs.Cell(12, TabCell::ClassMask), "16");
    EXPECT_EQ(tabs.Cell(12, TabCell::Position), "2");
    EXPECT_EQ(tabs.Cell(12, TabCell::Flags), "2031678");
    EXPECT_EQ(tabs.Cell(12, 3), "0") << "unset cells are saved as 0";
}

TEST(TalentSave, CommittingAnotherTabsTalentMovesEveryRecordOfItHere) {
    std::vector<SampleTalent> talents = SampleTalents();
    talents.push_back({1005, 43, 2, 2});
    TalentBench bench(SampleTabs(), talents);
    bench.Show();
    Commit(bench, kEmptySlot, "1005", "");
    bench.Editor.SaveTables();
    const TableOnDisk saved(bench.TalentPath);
    EXPECT_EQ(saved.RecordCount(), 7);
    for (const int record : {2, 6}) {
        EXPECT_EQ(saved.Cell(record, TalentCell::Id), "1005");
        EXPECT_EQ(saved.Cell(record, TalentCell::Tab), "41");
        EXPECT_EQ(saved.Cell(record, TalentCell::Column), "1");
    }
}

TEST(TalentSave, ACellItsColumnCannotTakeStopsBeforeThatFileIsWritten) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    Commit(bench, kEmptySlot, "Fireball", "");
    const std::string talentsBefore = FileBytes(bench.TalentPath);
    try {
        bench.Editor.SaveTables();
        FAIL() << "expected the field's conversion failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'Fireball' is not a valid integer value for field 'ID'");
    }
    EXPECT_EQ(bench.Files.Saved, std::vector<std::string>{bench.TabPath});
    EXPECT_EQ(FileBytes(bench.TalentPath), talentsBefore);
    EXPECT_EQ(TableOnDisk(bench.TabPath).RecordCount(), 12);
}

TEST(TalentSave, ATabRowFailureWritesNeitherFile) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.ShowTab(kPriest, 2);
    bench.Editor.SetTabName("Shadow");
    // A talent committed in the new tab would be written second; the tab row fails first.
    Commit(bench, 1, "779", "");
    const std::string tabsBefore = FileBytes(bench.TabPath);
    bench.Files.Work->Table.Close();
    WriteFieldDefs(bench.TabPath, [] {
        auto fields = TalentTabFields();
        fields[TabCell::Name - 1].Kind = FieldKind::ftInteger;  // names cannot go here now
        return fields;
    }());
    EXPECT_THROW(bench.Editor.SaveTables(), KelvaneError);
    EXPECT_TRUE(bench.Files.Saved.empty());
    EXPECT_EQ(FileBytes(bench.TabPath), tabsBefore);
}

TEST(TalentDelete, DeleteTabRemovesTheTabAndItsTalentsThenReloads) {
    TalentBench bench(SampleTabs(), SampleTalents());
    bench.Show();
    Commit(bench, kEmptySlot, "1005", "");  // tab 42's talent, now held in this tab
    bench.Editor.DeleteTab();

    EXPECT_EQ(bench.Files.Saved, (std::vector<std::string>{bench.TabPath, bench.TalentPath}));
    const TableOnDisk tabs(bench.TabPath);
    EXPECT_EQ(tabs.RecordCount(), 11);
    EXPECT_EQ(tabs.Cell(0, TabCell::Id), "201");
    EXPECT_EQ(TableOnDisk(bench.TalentPath).Ids(), std::vector<std::string>{})
        << "every talent held in the view went, 1005 too";
    // The reload shows the Warlock's first tab, now Demonology.
    EXPECT_EQ(bench.Editor.TabName(), "Demonology");
    EXPECT_EQ(bench.CurrentFile(), bench.TalentPath);
}

TEST(TalentDelete, DeleteTalentRemovesEveryRecordWithTheId) {
    std::vector<SampleTalent> talents = SampleTalents();
    talents.push_back({1001, 42, 3, 3});
    talents.push_back({1001, 42, 4, 3});
    TalentBench bench(SampleTabs(), talents);
    bench.Show();
    bench.Editor.DeleteTalent("1001");

    EXPECT_EQ(TableOnDisk(bench.TalentPath).Ids(),
              (std::vector<std::string>{"1002", "1005", "1003", "1004", "1006"}));
    EXPECT_EQ(bench.Editor.Slot(1).Talent, "") << "the view was reloaded";
    EXPECT_EQ(bench.CurrentFile(), bench.TalentPath);
}

TEST(TalentDelete, AnIdMatchingNothingStillRewritesTalentDbc) {
    for (const std::string id : {"", "9999"}) {
        TalentBench bench(SampleTabs(), SampleTalents());
        bench.Show();
        bench.Editor.DeleteTalent(id);
        EXPECT_EQ(bench.Files.Saved, std::vector<std::string>{bench.TalentPath}) << id;
        EXPECT_EQ(TableOnDisk(bench.TalentPath).RecordCount(), 6) << id;
    }
}

}  // namespace
}  // namespace kelvane::testing

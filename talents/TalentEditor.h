#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "talents/TalentCells.h"
#include "talents/TalentSlots.h"
#include "talents/WorkingTable.h"

namespace kelvane {

class RecordTable;
class TalentFiles;
class UserDialogs;

// The talent editor free of any window: the talent trees of one class over TalentTab.dbc and
// Talent.dbc, one tab at a time, with the Ranks window's five values and its binding to a
// slot. The windows forward the user's actions here and redraw from the state it keeps.
// Failures are thrown as KelvaneError for the windows' command handler to show; plain
// messages go to the dialogs.
class TalentEditor {
  public:
    TalentEditor(TalentFiles& files, UserDialogs& dialogs);

    // ---- Notifications for the windows ---------------------------------------------------
    // After any action: the selections, the tab name and the slots may have changed.
    void OnViewChanged(std::function<void()> listener) { viewChanged_ = std::move(listener); }
    // The Ranks window is to be shown (or brought to the front), or closed.
    void OnRanksWindow(std::function<void()> shown, std::function<void()> closed);

    // ---- The editor window ---------------------------------------------------------------
    // The window became visible: asks for both files, then loads the view.
    void ChooseFilesAndLoad();
    // A class (0 to 8, see TalentClasses) or a tab (0 to 4) was picked: reloads the view from
    // the files chosen before. Does nothing to the files while none are chosen.
    void SelectClass(int classIndex);
    void SelectTab(int tabIndex);
    // The tab name field's text changed; a change to the same text runs nothing.
    void SetTabName(const std::string& text);
    // The user typed into one of a slot's fields (slot 1 to 28).
    void SetSlotText(int slot, SlotField field, const std::string& text);
    // "S": fills the Ranks window from the slot's talent row, binds it to the slot, shows it.
    void ShowRanks(int slot);
    // "OK": writes the slot's talent into the tab's talent rows.
    void CommitSlot(int slot);
    // "SAVE": writes the tab rows and the talent rows back to their files.
    void SaveTables();
    // "Delete Tab": deletes the selected tab and its talents from both files, then reloads.
    void DeleteTab();
    // The delete window's "Delete": deletes every talent with this ID, then reloads.
    void DeleteTalent(const std::string& id);

    // ---- The Ranks window ----------------------------------------------------------------
    // The user typed into "Rank 1" to "Rank 5" (rank 0 to 4).
    void SetRankText(int rank, const std::string& text);
    // The window is closed: stores its values into the bound slot's talent row, if bound.
    void CloseRanks();

    // ---- State ---------------------------------------------------------------------------
    int ClassIndex() const { return classIndex_; }
    int TabIndex() const { return tabIndex_; }
    const std::string& TabName() const { return tabName_; }
    const SlotTexts& Slot(int slot) const { return slots_.at(static_cast<size_t>(slot - 1)); }
    const std::array<std::string, RankCount>& Ranks() const { return ranks_; }
    // The slot the Ranks window was last filled for; nothing before the first.
    std::optional<int> RanksBoundSlot() const { return ranksBoundSlot_; }
    bool RanksShown() const { return ranksShown_; }
    const std::string& TalentTabPath() const { return talentTabPath_; }
    const std::string& TalentPath() const { return talentPath_; }
    bool AskForFiles() const { return askForFiles_; }
    // The working tables: the tab rows of the class and the talent rows of the tab.
    const WorkingTable& Tabs() const { return tabRows_; }
    const WorkingTable& Talents() const { return talentRows_; }
    // A class's tabs were loaded: there is a tree to show.
    bool HasTree() const { return tabRows_.RowCount() > 0; }

  private:
    bool FilesChosen() const { return !talentTabPath_.empty() && !talentPath_.empty(); }
    void Reload();
    void ClearTalentView();
    void LoadView();
    bool ChooseFiles();
    // Opens the file as the current table and checks it has the columns the editor works on.
    RecordTable& OpenTalentTable(const std::string& path, int columnCount);
    void LoadClassTabs();
    void LoadTabTalents(int32_t tabId);
    void ShowSlot(int slot);
    int32_t SelectedTabId() const;
    void ApplyTabName();
    void StoreRanks(const std::string& id, const std::string& reqTalent);

    TalentFiles& files_;
    UserDialogs& dialogs_;
    std::function<void()> viewChanged_;
    std::function<void()> ranksShownListener_;
    std::function<void()> ranksClosedListener_;

    std::string talentTabPath_;
    std::string talentPath_;
    bool askForFiles_ = false;
    WorkingTable tabRows_{TabCell::Count};
    WorkingTable talentRows_{TalentCell::Count};
    int classIndex_ = 0;
    int tabIndex_ = 0;
    std::string tabName_;
    std::array<SlotTexts, SlotCount> slots_;

    std::array<std::string, RankCount> ranks_;
    std::optional<int> ranksBoundSlot_;
    bool ranksShown_ = false;
};

}  // namespace kelvane

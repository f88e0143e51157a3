#include "talents/TalentEditor.h"

#include <algorithm>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/base/ValueText.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "shell/UserDialogs.h"
#include "talents/TabCompletion.h"
#include "talents/TalentClasses.h"
#include "talents/TalentFiles.h"
#include "talents/TalentRecords.h"

namespace kelvane {
namespace {

// Tells the windows to redraw when an action ends, also when it ends by a failure halfway.
class ViewChangeScope {
  public:
    explicit ViewChangeScope(const std::function<void()>& listener) : listener_(listener) {}
    ~ViewChangeScope() {
        if (listener_) {
            listener_();
        }
    }
    ViewChangeScope(const ViewChangeScope&) = delete;
    ViewChangeScope& operator=(const ViewChangeScope&) = delete;

  private:
    const std::function<void()>& listener_;
};

FileDialogRequest FindFileRequest(const std::string& fileName) {
    FileDialogRequest request;
    request.Title = "Find your " + fileName;
    request.Filters = {{fileName, fileName}};
    request.DefaultExtension = fileName;
    return request;
}

// "Req. N" shows the stored required rank plus one; an empty cell shows "0".
std::string ShownRequiredRank(const std::string& stored) {
    return stored.empty() ? "0" : std::to_string(int64_t{TextToInteger(stored)} + 1);
}

}  // namespace

TalentEditor::TalentEditor(TalentFiles& files, UserDialogs& dialogs)
    : files_(files), dialogs_(dialogs) {}

void TalentEditor::OnRanksWindow(std::function<void()> shown, std::function<void()> closed) {
    ranksShownListener_ = std::move(shown);
    ranksClosedListener_ = std::move(closed);
}

// ---- View load ---------------------------------------------------------------------------

void TalentEditor::ChooseFilesAndLoad() {
    const ViewChangeScope scope(viewChanged_);
    askForFiles_ = true;
    ClearTalentView();
    LoadView();
}

void TalentEditor::SelectClass(int classIndex) {
    const ViewChangeScope scope(viewChanged_);
    classIndex_ = std::clamp(classIndex, 0, static_cast<int>(TalentClasses.size()) - 1);
    Reload();
}

void TalentEditor::SelectTab(int tabIndex) {
    const ViewChangeScope scope(viewChanged_);
    tabIndex_ = std::clamp(tabIndex, 0, 4);
    Reload();
}

void TalentEditor::Reload() {
    askForFiles_ = false;
    ClearTalentView();
    LoadView();
}

void TalentEditor::ClearTalentView() {
    slots_.fill(SlotTexts{});
    tabRows_.Clear();
    talentRows_.Clear();
}

void TalentEditor::LoadView() {
    if (askForFiles_ && !ChooseFiles()) {
        return;
    }
    // Without both files (the dialogs were cancelled) a class or tab change has nothing to load.
    if (!FilesChosen()) {
        return;
    }
    LoadClassTabs();
    const int32_t tabId = SelectedTabId();
    SetTabName(tabRows_.Cell(TabCell::Name, tabIndex_));
    LoadTabTalents(tabId);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        ShowSlot(slot);
    }
}

bool TalentEditor::ChooseFiles() {
    talentTabPath_.clear();
    talentPath_.clear();
    if (const auto path = dialogs_.ChooseOpenFile(FindFileRequest("TalentTab.dbc"))) {
        talentTabPath_ = *path;
    }
    if (const auto path = dialogs_.ChooseOpenFile(FindFileRequest("Talent.dbc"))) {
        talentPath_ = *path;
    }
    if (!FilesChosen()) {
        return false;
    }
    askForFiles_ = false;
    return true;
}

RecordTable& TalentEditor::OpenTalentTable(const std::string& path, int columnCount) {
    files_.OpenTableFile(path);
    RecordTable& table = files_.Table();
    if (table.FieldCount() < columnCount) {
        throw KelvaneError("\"" + path + "\" has " + std::to_string(table.FieldCount() - 1) +
                           " fields, but the talent editor needs at least " +
                           std::to_string(columnCount - 1) +
                           ". Check the table's field definitions.");
    }
    return table;
}

// The tabs of the selected class in table order, completed to five tabs.
void TalentEditor::LoadClassTabs() {
    RecordTable& table = OpenTalentTable(talentTabPath_, TabCell::Count);
    const int32_t mask = TalentClasses.at(static_cast<size_t>(classIndex_)).Mask;
    // New tabs take the IDs after the largest of every class.
    int64_t largestTabId = -1;
    ScanRecords(table, [&] {
        largestTabId = std::max<int64_t>(largestTabId, table.Fields(TabCell::Id).AsInteger());
        if (table.Fields(TabCell::ClassMask).AsInteger() == mask) {
            CopyCurrentRecord(table, tabRows_);
        }
    });
    CompleteClassTabs(tabRows_, largestTabId);
}

int32_t TalentEditor::SelectedTabId() const {
    return TextToInteger(tabRows_.Cell(TabCell::Id, tabIndex_));
}

void TalentEditor::LoadTabTalents(int32_t tabId) {
    RecordTable& table = OpenTalentTable(talentPath_, TalentCell::Count);
    talentRows_.Clear();
    const std::string tabKey = IntegerText(tabId);
    ScanRecords(table, [&] {
        if (table.Fields(TalentCell::Tab).AsString() == tabKey) {
            CopyCurrentRecord(table, talentRows_);
        }
    });
    talentRows_.AddRow();
}

// The slot shows the last talent row placed on it.
void TalentEditor::ShowSlot(int slot) {
    const std::string row = std::to_string(SlotRow(slot));
    const std::string column = std::to_string(SlotColumn(slot));
    SlotTexts& shown = slots_.at(static_cast<size_t>(slot - 1));
    for (int r = 0; r < talentRows_.RowCount(); ++r) {
        if (talentRows_.Cell(TalentCell::Row, r) != row ||
            talentRows_.Cell(TalentCell::Column, r) != column) {
            continue;
        }
        const std::string& id = talentRows_.Cell(TalentCell::Id, r);
        const std::string& reqTalent = talentRows_.Cell(TalentCell::ReqTalent, r);
        shown.Talent = id.empty() ? "0" : id;
        shown.ReqTalent = reqTalent.empty() ? "0" : reqTalent;
        shown.ReqRank = ShownRequiredRank(talentRows_.Cell(TalentCell::ReqRank, r));
    }
}

// ---- Tab name ----------------------------------------------------------------------------

void TalentEditor::SetTabName(const std::string& text) {
    if (text == tabName_) {
        return;
    }
    tabName_ = text;
    ApplyTabName();
}

// Naming a tab gives its row everything a tab of the class needs in the file.
void TalentEditor::ApplyTabName() {
    if (tabIndex_ >= tabRows_.RowCount()) {
        return;
    }
    const TalentClass& talentClass = TalentClasses.at(static_cast<size_t>(classIndex_));
    tabRows_.SetCell(TabCell::Name, tabIndex_, tabName_);
    tabRows_.SetCell(TabCell::InternalName, tabIndex_, std::string(talentClass.Name) + tabName_);
    tabRows_.SetCell(TabCell::ClassMask, tabIndex_, IntegerText(talentClass.Mask));
    tabRows_.SetCell(TabCell::Position, tabIndex_, std::to_string(tabIndex_));
    tabRows_.SetCell(TabCell::Mask511, tabIndex_, "511");
    tabRows_.SetCell(TabCell::Flags, tabIndex_, "2031678");
}

// ---- Slots and ranks ---------------------------------------------------------------------

void TalentEditor::SetSlotText(int slot, SlotField field, const std::string& text) {
    SlotTexts& texts = slots_.at(static_cast<size_t>(slot - 1));
    switch (field) {
        case SlotField::Talent:
            texts.Talent = text;
            break;
        case SlotField::ReqTalent:
            texts.ReqTalent = text;
            break;
        case SlotField::ReqRank:
            texts.ReqRank = text;
            break;
    }
}

void TalentEditor::SetRankText(int rank, const std::string& text) {
    ranks_.at(static_cast<size_t>(rank)) = text;
}

void TalentEditor::ShowRanks(int slot) {
    const std::string& id = Slot(slot).Talent;
    for (int row = 0; row < talentRows_.RowCount(); ++row) {
        if (talentRows_.Cell(TalentCell::Id, row) != id) {
            continue;
        }
        for (int rank = 0; rank < RankCount; ++rank) {
            ranks_[static_cast<size_t>(rank)] = talentRows_.Cell(TalentCell::FirstRank + rank, row);
        }
        ranksBoundSlot_ = slot;
    }
    ranksShown_ = true;
    if (ranksShownListener_) {
        ranksShownListener_();
    }
}

void TalentEditor::CloseRanks() {
    if (ranksBoundSlot_) {
        const SlotTexts& bound = Slot(*ranksBoundSlot_);
        StoreRanks(bound.Talent, bound.ReqTalent);
    }
    ranksShown_ = false;
    if (ranksClosedListener_) {
        ranksClosedListener_();
    }
}

void TalentEditor::StoreRanks(const std::string& id, const std::string& reqTalent) {
    int row = talentRows_.FindRow(TalentCell::Id, id);
    if (row < 0) {
        row = talentRows_.AddRow();
    }
    talentRows_.SetCell(TalentCell::Id, row, id);
    talentRows_.SetCell(TalentCell::ReqTalent, row, reqTalent);
    talentRows_.SetCell(TalentCell::Emptied, row, "");
    for (int rank = 0; rank < RankCount; ++rank) {
        talentRows_.SetCell(TalentCell::FirstRank + rank, row, ranks_[static_cast<size_t>(rank)]);
    }
}

void TalentEditor::CommitSlot(int slot) {
    const int32_t tabId = SelectedTabId();
    if (tabName_.empty()) {
        dialogs_.ShowMessage("You need to enter Tab Name first!!!");
        return;
    }
    const SlotTexts texts = Slot(slot);
    if (texts.Talent.empty()) {
        dialogs_.ShowMessage("You need to enter talent ID first!!!");
        return;
    }
    // Read before anything changes, so a mistyped Req. N leaves the row as it was.
    const std::string storedRank =
        texts.ReqRank.empty() ? "0" : std::to_string(int64_t{TextToInteger(texts.ReqRank)} - 1);

    int row = talentRows_.FindRow(TalentCell::Id, texts.Talent);
    if (row < 0) {
        row = talentRows_.AddRow();
        talentRows_.SetCell(TalentCell::Id, row, texts.Talent);
    }
    // The ranks pass through the Ranks window, so zeroing the row keeps them.
    ShowRanks(slot);
    for (int column = TalentCell::Tab; column < talentRows_.ColumnCount(); ++column) {
        talentRows_.SetCell(column, row, "0");
    }
    for (std::string& rank : ranks_) {
        if (rank.empty()) {
            rank = "0";
        }
    }
    CloseRanks();
    talentRows_.SetCell(TalentCell::ReqTalent, row,
                        texts.ReqTalent.empty() ? "0" : texts.ReqTalent);
    talentRows_.SetCell(TalentCell::ReqRank, row, storedRank);
    talentRows_.SetCell(TalentCell::Row, row, std::to_string(SlotRow(slot)));
    talentRows_.SetCell(TalentCell::Column, row, std::to_string(SlotColumn(slot)));
    talentRows_.SetCell(TalentCell::Tab, row, IntegerText(tabId));
}

// ---- Writing back ------------------------------------------------------------------------

void TalentEditor::SaveTables() {
    if (!FilesChosen()) {
        return;
    }
    WriteRowsBack(OpenTalentTable(talentTabPath_, TabCell::Count), tabRows_, TabCell::Name);
    if (!files_.Save()) {
        return;
    }
    WriteRowsBack(OpenTalentTable(talentPath_, TalentCell::Count), talentRows_, TalentCell::Id);
    files_.Save();
}

void TalentEditor::DeleteTab() {
    if (!FilesChosen()) {
        return;
    }
    const ViewChangeScope scope(viewChanged_);
    DeleteRecordsWithId(OpenTalentTable(talentTabPath_, TabCell::Count),
                        tabRows_.Cell(TabCell::Id, tabIndex_));
    if (!files_.Save()) {
        return;
    }
    RecordTable& talents = OpenTalentTable(talentPath_, TalentCell::Count);
    for (int row = 0; row < talentRows_.RowCount(); ++row) {
        DeleteRecordsWithId(talents, talentRows_.Cell(TalentCell::Id, row));
    }
    if (!files_.Save()) {
        return;
    }
    Reload();
}

void TalentEditor::DeleteTalent(const std::string& id) {
    if (!FilesChosen()) {
        return;
    }
    const ViewChangeScope scope(viewChanged_);
    DeleteRecordsWithId(OpenTalentTable(talentPath_, TalentCell::Count), id);
    if (!files_.Save()) {
        return;
    }
    Reload();
}

}  // namespace kelvane

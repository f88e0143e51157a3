#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "talents/TalentEditor.h"
#include "talents/TalentFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TalentSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The main window's part as the talent editor sees it: one table, opened and saved on disk.
// It records which files were opened and saved, in order.
class DiskTalentFiles : public TalentFiles {
  public:
    std::unique_ptr<Workspace> Work = std::make_unique<Workspace>();
    std::vector<std::string> Opened;
    std::vector<std::string> Saved;

    void OpenTableFile(const std::string& path) override {
        Opened.push_back(path);
        Work->Table.Close();
        OpenDbcTable(*Work, path);
    }
    RecordTable& Table() override { return Work->Table; }
    bool Save() override {
        Saved.push_back(Work->Current.FilePath);
        SaveDbcFile(*Work, Work->Current.FilePath);
        return true;
    }
};

// Cells of a DBC file read back with its field definitions, by record and column.
class TableOnDisk {
  public:
    explicit TableOnDisk(const std::string& path) { OpenDbcTable(*work_, path); }
    int RecordCount() const { return work_->Table.RecordCount(); }
    std::string Cell(int record, int column) const { return work_->Table.CellText(record, column); }
    // The records' column 1 texts in table order.
    std::vector<std::string> Ids() const {
        std::vector<std::string> ids;
        for (int record = 0; record < RecordCount(); ++record) {
            ids.push_back(Cell(record, 1));
        }
        return ids;
    }

  private:
    std::unique_ptr<Workspace> work_ = std::make_unique<Workspace>();
};

// A talent editor over two sample files in a temporary folder.
struct TalentBench {
    TempDir Dir;
    std::string TabPath = Dir.File("TalentTab.dbc");
    std::string TalentPath = Dir.File("Talent.dbc");
    DiskTalentFiles Files;
    ScriptedDialogs Dialogs;
    TalentEditor Editor{Files, Dialogs};

    TalentBench(const std::vector<SampleTab>& tabs, const std::vector<SampleTalent>& talents) {
        WriteTalentTab(TabPath, tabs);
        WriteTalents(TalentPath, talents);
    }

    // Shows the editor and answers both file dialogs with the sample files.
    void Show() {
        Dialogs.FileAnswers.push_back(TabPath);
        Dialogs.FileAnswers.push_back(TalentPath);
        Editor.ChooseFilesAndLoad();
    }
    // Picks a class and a tab before any file is chosen, which loads nothing, then shows the
    // editor on them.
    void ShowTab(int classIndex, int tabIndex) {
        Editor.SelectClass(classIndex);
        Editor.SelectTab(tabIndex);
        Show();
    }
    std::string TabCell(int column, int row) const { return Editor.Tabs().Cell(column, row); }
    std::string TalentCell(int column, int row) const { return Editor.Talents().Cell(column, row); }
    std::string CurrentFile() const { return Files.Work->Current.FilePath; }
};

// Class box items used by the tests.
inline constexpr int kWarlock = 0;
inline constexpr int kPriest = 1;
inline constexpr int kHunter = 5;
inline constexpr int kWarrior = 6;
inline constexpr int kPaladin = 7;

}  // namespace kelvane::testing

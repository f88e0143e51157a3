#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

struct PatchExport;
class RecordTable;
class UserDialogs;
class WorkFeedback;

// The main window's text exports and the patch import: the lines are built from the open
// table before the file dialog opens, written on confirmation, and checked afterwards for
// lines the patch reader could not read back.
class ExchangeCommands {
  public:
    // Told (records done, maximum) while all records are exported as patch lines.
    using Progress = std::function<void(int done, int maximum)>;

    ExchangeCommands(RecordTable& table, UserDialogs& dialogs, WorkFeedback& feedback);

    void ExportEverything();
    void ExportSelectedLine();
    void PatchExportAll(const Progress& progress);
    void PatchExportRow();
    void PatchExportCell(int selectedColumn);
    void ImportPatch();

  private:
    void WriteExport(const std::vector<std::string>& lines);
    void WritePatch(const PatchExport& patch);

    RecordTable& table_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
};

}  // namespace kelvane

#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

struct PatchExport;
class RecordTable;
class UserDialogs;
class WorkFeedback;

// The main window's text exports and the patch and CSV imports: the lines are built from the
// open table before the file dialog opens, written on confirmation, and patch lines checked
// afterwards for lines the patch reader could not read back.
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
    // Reads a comma-separated file into the open table; its open dialog asks whether the first
    // line names the columns, and whether rows go to records by position instead of by key.
    void ImportCsv();

  private:
    void WriteExport(std::vector<std::string> lines);
    void WritePatch(const PatchExport& patch);

    RecordTable& table_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
    // Whether comma-separated files have a header line of column names: the check box of the
    // CSV save and open dialogs, one choice for both, kept while the program runs.
    bool csvHeader_ = false;
    // The CSV import's choice to match by position, kept while the program runs.
    bool csvByPosition_ = false;
};

}  // namespace kelvane

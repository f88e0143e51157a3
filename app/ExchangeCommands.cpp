#include "app/ExchangeCommands.h"

#include <utility>

#include "app/ImportByPosition.h"
#include "app/LongWork.h"
#include "app/StatusTexts.h"
#include "core/files/TextFile.h"
#include "core/table/RecordTable.h"
#include "exchange/CsvImport.h"
#include "exchange/PatchReader.h"
#include "exchange/PatchSaveRequest.h"
#include "exchange/PatchText.h"
#include "exchange/RepeatedImportKeyError.h"
#include "exchange/TextExport.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane {
namespace {

const FileDialogRequest kExportDialog{
    "Export to", {{"Comma-separated text", "*.csv"}, {"All Files", "*.*"}}, "csv", ""};

const FileDialogRequest kImportDialog{"", {{"Patchwell's Import File(*.txt)", "*.txt"}}, "", ""};

const FileDialogRequest kCsvImportDialog{
    "Import comma-separated text", {{"*.csv", "*.csv"}, {"All Files", "*.*"}}, "", ""};

// A request with the header check box, answered into header.
FileDialogRequest WithHeaderBox(FileDialogRequest request, const std::string& label, bool& header) {
    request.CheckBoxes.push_back(FileDialogCheckBox{"HeaderCheckBox", label, header, &header});
    return request;
}

}  // namespace

ExchangeCommands::ExchangeCommands(RecordTable& table, UserDialogs& dialogs, WorkFeedback& feedback)
    : table_(table), dialogs_(dialogs), feedback_(feedback) {}

void ExchangeCommands::WriteExport(std::vector<std::string> lines) {
    const FileDialogRequest request =
        WithHeaderBox(kExportDialog, "Write the column names as the first line", csvHeader_);
    if (const std::optional<std::string> path = dialogs_.ChooseSaveFile(request)) {
        {
            BusyScope busy(feedback_);
            if (csvHeader_) {
                lines.insert(lines.begin(), HeaderLine(table_));
            }
            MarkNonUtf8Lines(lines);
            WriteTextLines(*path, lines);
        }
        feedback_.CommandDone(ExportedLinesText(static_cast<int>(lines.size()), *path));
    }
}

// The patch format cannot carry every value; the user hears how many lines would not come
// back, so a round trip never loses data silently.
void ExchangeCommands::WritePatch(const PatchExport& patch) {
    const std::optional<std::string> path = dialogs_.ChooseSaveFile(PatchSaveRequest());
    if (!path) {
        return;
    }
    {
        BusyScope busy(feedback_);
        WriteTextLines(*path, patch.Lines);
    }
    feedback_.CommandDone(ExportedPatchLinesText(static_cast<int>(patch.Lines.size()), *path));
    if (const std::string warning = patch.ReadBack.Warning(); !warning.empty()) {
        dialogs_.ShowMessage(warning);
    }
}

void ExchangeCommands::ExportEverything() {
    table_.RequireActive();
    std::vector<std::string> lines;
    {
        BusyScope busy(feedback_);
        lines = ExportAllLines(table_);
    }
    WriteExport(std::move(lines));
}

void ExchangeCommands::ExportSelectedLine() {
    table_.RequireActive();
    WriteExport({ExportLine(table_, table_.CurrentRow())});
}

void ExchangeCommands::PatchExportAll(const Progress& progress) {
    table_.RequireActive();
    // The bar runs up to the last record's Index plus one, the number of records an unbroken
    // run of Index values would hold.
    const int maximum = table_.IsEmpty() ? 0 : table_.IntegerAt(table_.RecordCount() - 1, 0) + 1;
    PatchExport patch;
    {
        BusyScope busy(feedback_);
        patch = ExportPatchAll(table_, [&](int done, int) { progress(done, maximum); });
    }
    WritePatch(patch);
}

void ExchangeCommands::PatchExportRow() {
    table_.RequireActive();
    WritePatch(ExportPatchRow(table_, table_.CurrentRow()));
}

void ExchangeCommands::PatchExportCell(int selectedColumn) {
    table_.RequireActive();
    WritePatch(ExportPatchCell(table_, table_.CurrentRow(), selectedColumn));
}

void ExchangeCommands::ImportPatch() {
    if (const std::optional<std::string> path = dialogs_.ChooseOpenFile(kImportDialog)) {
        const PatchApplyReport report = RunLongWork(
            feedback_, ImportingTitle(*path),
            [&](const WorkProgress& progress) { return ApplyPatchFile(table_, *path, progress); });
        feedback_.CommandDone(PatchAppliedText(report));
    }
}

void ExchangeCommands::ImportCsv() {
    table_.RequireActive();
    FileDialogRequest request =
        WithHeaderBox(kCsvImportDialog, "The first line names the columns", csvHeader_);
    request.CheckBoxes.push_back(ByPositionCheckBox(csvByPosition_));
    if (const std::optional<std::string> path = dialogs_.ChooseOpenFile(request)) {
        const CsvImportReport report =
            RunLongWork(feedback_, ImportingTitle(*path), [&](const WorkProgress& progress) {
                return ImportHintingPosition(ByPositionChoiceHint(), [&] {
                    return ImportCsvFile(table_, *path, csvHeader_, MatchChosen(csvByPosition_),
                                         progress);
                });
            });
        feedback_.CommandDone(CsvImportedText(report, *path));
    }
}

}  // namespace kelvane

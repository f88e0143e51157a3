#include "app/CompareCommands.h"

#include <optional>
#include <string>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/files/FileByteSource.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "exchange/PatchSaveRequest.h"
#include "exchange/TableComparison.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane {
namespace {

const std::string kOpenTableName = "the open table";

const FileDialogRequest kCompareDialog{
    "Compare with", {{"DBC files (*.dbc)", "*.dbc"}, {"All Files", "*.*"}}, "dbc", "", false};

// An empty workspace that loads files with the open table's definitions.
std::unique_ptr<Workspace> WorkspaceLike(const Workspace& open) {
    auto like = std::make_unique<Workspace>();
    like->Defs = open.Defs;
    like->Current = open.Current;
    like->Settings = open.Settings;
    return like;
}

int FieldCountOf(const Workspace& open) {
    return open.Table.FieldCount() - 1;
}

// The open table as a save would write it, loaded back: texts trimmed and floats cut to 32 bits
// as in the file, and kept apart from the table the user goes on editing.
std::unique_ptr<Workspace> OpenTableAsSaved(Workspace& open) {
    open.Table.RequireActive();
    const std::string bytes = EncodeDbcTable(open);
    auto copy = WorkspaceLike(open);
    LoadDbcBytes(*copy, kOpenTableName, bytes, false, FieldCountOf(open));
    return copy;
}

std::unique_ptr<Workspace> LoadWithDefinitionsOf(const Workspace& open, const std::string& path) {
    // Opened once, as a stream can be read only once.
    FileByteSource file(path);
    // Loaded with the open table's definitions, a file of more fields would lose the rest.
    const DbcHeader header = ReadDbcHeader(file, path);
    if (header.FieldCount != FieldCountOf(open)) {
        throw KelvaneError("Cannot compare " + path + " with the open table: it has " +
                           std::to_string(header.FieldCount) + " fields, the open table " +
                           std::to_string(FieldCountOf(open)) +
                           ", so it is not a file of the same table");
    }
    auto other = WorkspaceLike(open);
    LoadDbcSource(*other, path, file, false, FieldCountOf(open));
    return other;
}

}  // namespace

CompareCommands::CompareCommands(Workspace& open, UserDialogs& dialogs, WorkFeedback& feedback)
    : open_(open), dialogs_(dialogs), feedback_(feedback) {}

std::unique_ptr<TableComparison> CompareCommands::CompareWithFile() {
    open_.Table.RequireActive();
    const std::optional<std::string> path = dialogs_.ChooseOpenFile(kCompareDialog);
    if (!path) {
        return nullptr;
    }
    BusyScope busy(feedback_);
    std::unique_ptr<Workspace> older = LoadWithDefinitionsOf(open_, *path);
    return std::make_unique<TableComparison>(std::move(older), *path, OpenTableAsSaved(open_),
                                             kOpenTableName);
}

void CompareCommands::SavePatch(const TableComparison& comparison) {
    FileDialogRequest request = PatchSaveRequest();
    request.Title = "Save differences as patch";
    const std::optional<std::string> path = dialogs_.ChooseSaveFile(request);
    if (!path) {
        return;
    }
    DiffPatchReport report;
    {
        BusyScope busy(feedback_);
        report = comparison.WritePatch(*path);
    }
    feedback_.CommandDone("Wrote " + std::to_string(report.Lines) + " lines of differences to " +
                          FileNameOfPath(*path));
    if (const std::string warning = report.Warning(); !warning.empty()) {
        dialogs_.ShowMessage(warning);
    }
}

}  // namespace kelvane

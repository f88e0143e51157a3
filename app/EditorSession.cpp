#include "app/EditorSession.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <utility>

#include "app/DeleteRecordAfterAsking.h"
#include "app/FieldSettings.h"
#include "app/NewTableRequest.h"
#include "app/StatusTexts.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/definitions/FieldDefFile.h"
#include "core/definitions/Presets.h"
#include "core/files/FileChangedError.h"
#include "core/files/FileIo.h"
#include "core/files/FileMemoryGuard.h"
#include "core/files/TablePaths.h"
#include "core/table/GridColumns.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/TableFromDefinitions.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "editors/DatKinds.h"
#include "exchange/PatchReader.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane {
namespace {

constexpr char kOpenedCaptionPrefix[] = "Kelvane by Dravik - ";
constexpr char kNewCaptionPrefix[] = "Kelvane ";

// The progress window and busy cursor of a load, also when the load fails.
class LoadScope {
  public:
    explicit LoadScope(WorkFeedback& feedback) : feedback_(feedback) {
        feedback_.LoadStarted();
        feedback_.BusyStarted();
    }
    ~LoadScope() {
        feedback_.BusyEnded();
        feedback_.LoadEnded();
    }
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;

  private:
    WorkFeedback& feedback_;
};

// The typed field count with its blanks removed; the dialog's mask lets through digits only,
// but the text may still be empty.
int ParseFieldCount(const std::string& typed) {
    std::string digits;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(digits),
                 [](char c) { return c != ' '; });
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        throw KelvaneError("'" + EchoText(digits) + "' is not a valid integer value");
    }
    const size_t significant = digits.find_first_not_of('0');
    if (significant != std::string::npos &&
        (digits.size() - significant > 4 || std::stoi(digits) > MaxFieldCount)) {
        throw KelvaneError("A table has at most " + std::to_string(MaxFieldCount) +
                           " fields, not " + EchoText(digits.substr(significant)) + ".");
    }
    return significant == std::string::npos ? 0 : std::stoi(digits);
}

}  // namespace

EditorSession::EditorSession(Workspace& workspace, UserDialogs& dialogs, WorkFeedback& feedback)
    : workspace_(workspace), dialogs_(dialogs), feedback_(feedback), history_(workspace.Table) {
    workspace_.Current.NewTableCounter = 1;
    workspace_.Table.AddListener(this);
    history_.SetChangeListener([this] { RefreshHistoryState(); });
}

EditorSession::~EditorSession() {
    workspace_.Table.RemoveListener(this);
}

// ---- Unsaved changes and their history ----------------------------------------------------

bool EditorSession::HasUnsavedChanges() const {
    const RecordTable& table = workspace_.Table;
    const bool neverSaved = workspace_.Current.FilePath.empty() && table.RecordCount() > 0;
    return table.Active() && (history_.ChangedSinceSave() || table.Modified() || neverSaved ||
                              (holdsTypedText_ && holdsTypedText_()));
}

// The status bar says what was taken back or done again, so an earlier command's result does
// not stand there as if it were still the last word.
void EditorSession::Undo() {
    const std::string step = history_.UndoName();
    history_.Undo();
    if (!step.empty()) {
        feedback_.CommandDone(UndoneText(step));
    }
}

void EditorSession::Redo() {
    const std::string step = history_.RedoName();
    history_.Redo();
    if (!step.empty()) {
        feedback_.CommandDone(RedoneText(step));
    }
}

void EditorSession::CellsChanged(const CellsChange& change) {
    if (change.What == CellsChange::Kind::Typed || change.What == CellsChange::Kind::Reverted) {
        RefreshHistoryState();
    }
}

void EditorSession::CursorChanged(const CursorChange& change) {
    if (change.State != change.PreviousState) {
        RefreshHistoryState();
    }
}

void EditorSession::RefreshHistoryState() {
    const bool unsaved = HasUnsavedChanges();
    std::string undoName = history_.UndoName();
    std::string redoName = history_.RedoName();
    if (unsaved == state_.Unsaved && undoName == state_.UndoName && redoName == state_.RedoName) {
        return;
    }
    state_.Unsaved = unsaved;
    state_.UndoName = std::move(undoName);
    state_.RedoName = std::move(redoName);
    PublishWindowState();
}

// ---- Guards before the open table is replaced ---------------------------------------------

bool EditorSession::SaveOrDiscardChanges() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    const std::string question = TableLabel() + " has changes that are not saved.\n\nSave them?";
    switch (dialogs_.AskSaveChanges(question)) {
        case UnsavedChangesAnswer::Save:
            return Save();
        case UnsavedChangesAnswer::Discard:
            return true;
        case UnsavedChangesAnswer::Cancel:
            break;
    }
    return false;
}

std::string EditorSession::TableLabel() const {
    const CurrentTable& current = workspace_.Current;
    return current.FilePath.empty() ? current.TableName : FileNameOfPath(current.FilePath);
}

void EditorSession::SetTypedEdits(std::function<bool()> commit,
                                  std::function<bool()> holdsTypedText) {
    typedEditCommit_ = std::move(commit);
    holdsTypedText_ = std::move(holdsTypedText);
}

bool EditorSession::CommitTypedEdit() {
    return !typedEditCommit_ || typedEditCommit_();
}

void EditorSession::TypedTextChanged() {
    RefreshHistoryState();
}

void EditorSession::SetWindowStateListener(std::function<void()> listener) {
    stateListener_ = std::move(listener);
}

void EditorSession::EnableFileCommands(bool recordExports) {
    recordExportsOffered_ = recordExportsOffered_ || recordExports;
    PublishWindowState();
}

void EditorSession::PublishWindowState() {
    const bool open = workspace_.Table.Active();
    state_.FileCommandsEnabled = open;
    state_.ReloadEnabled = open && !workspace_.Current.FilePath.empty();
    state_.RecordExportsEnabled = open && recordExportsOffered_;
    if (stateListener_) {
        stateListener_();
    }
}

void EditorSession::SetCaption(std::string caption) {
    state_.Caption = std::move(caption);
    PublishWindowState();
}

void EditorSession::LoadTable(const std::string& path, bool applyDefinitions, int fieldLimit) {
    const LoadReport report = ReadTable(path, applyDefinitions, fieldLimit);
    feedback_.CommandDone(LoadedText(workspace_.Table.RecordCount(), path));
    ShowLoadReport(report, path);
}

LoadReport EditorSession::ReadTable(const std::string& path, bool applyDefinitions,
                                    int fieldLimit) {
    return RunLoad([&](const LoadProgress& progress) {
        return GuardMemory(FileWork::Loading, path, [&] {
            return LoadDbcFile(workspace_, path, applyDefinitions, fieldLimit, progress);
        });
    });
}

LoadReport EditorSession::RunLoad(const std::function<LoadReport(const LoadProgress&)>& load) {
    LoadReport report;
    {
        LoadScope scope(feedback_);
        report = load(
            [this](int record, int recordCount) { feedback_.LoadProgress(record, recordCount); });
    }
    state_.Definitions = {FileNameOfPath(report.DefinitionsPath),
                          report.DescribedFields,
                          report.Header.FieldCount,
                          report.DefinitionsNote,
                          report.TextFit,
                          workspace_.Definitions};
    PublishWindowState();
    return report;
}

void EditorSession::ShowLoadReport(const LoadReport& report, const std::string& path) {
    if (report.HasByteFields) {
        SetCaption(state_.Caption + " with byte fields");
    }
    const std::string warning = report.Warning(path);
    if (!warning.empty()) {
        dialogs_.ShowMessage(warning);
    }
}

void EditorSession::OpenTableFile(const std::string& path) {
    const LoadReport report = RunLoad(
        [&](const LoadProgress& progress) { return OpenDbcTable(workspace_, path, progress); });
    SetCaption(kOpenedCaptionPrefix + workspace_.Current.TableName);
    EnableFileCommands(true);
    feedback_.CommandDone(LoadedText(workspace_.Table.RecordCount(), path));
    ShowLoadReport(report, path);
    TellFileOpened(path);
}

CommandLineOutcome EditorSession::RunCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments[0].empty()) {
        return CommandLineOutcome::KeepRunning;
    }
    if (arguments[0] == "/i") {
        const auto argument = [&](size_t i) { return i < arguments.size() ? arguments[i] : ""; };
        return RunBatch(argument(1), argument(2), argument(3) == "--force");
    }
    TakeCommandLinePath(arguments[0]);
    LoadTable(arguments[0], true, 0);
    TellFileOpened(arguments[0]);
    return CommandLineOutcome::KeepRunning;
}

// Both command-line forms make the file the current table like Open, except that the file does
// not become the folder for presets.
void EditorSession::TakeCommandLinePath(const std::string& path) {
    CurrentTable& current = workspace_.Current;
    workspace_.Table.Close();
    EnableFileCommands(true);
    current.FilePath = path;
    current.TableName = TableNameFromPath(path);
    current.OpenedTableName = current.TableName;
    SetCaption(kOpenedCaptionPrefix + current.TableName);
}

// A failure anywhere ends the batch before the save, the load's included: saving a table that
// was only partly read would overwrite the file with what little was read. Nobody is asked:
// a table the written preset does not fit is not saved unless the run was forced.
CommandLineOutcome EditorSession::RunBatch(const std::string& dbcPath, const std::string& patchPath,
                                           bool force) {
    TakeCommandLinePath(dbcPath);
    WritePreset(*FindPreset("Spell.dbc"), FolderOfPath(dbcPath));
    LoadTable(dbcPath, true, 0);
    {
        BusyScope busy(feedback_);
        ApplyPatchFile(workspace_.Table, patchPath);
    }
    if (!force && !state_.Definitions.TextFit.Fits()) {
        throw KelvaneError(SaveRefusedForMisfit(dbcPath, state_.Definitions.TextFit));
    }
    return WriteTable(dbcPath) ? CommandLineOutcome::BatchSaved : CommandLineOutcome::BatchNotSaved;
}

void EditorSession::Open() {
    if (!SaveOrDiscardChanges()) {
        return;
    }
    const std::optional<std::string> path = dialogs_.ChooseOpenFile(
        {"Open dbc file", {{"*.dbc", "*.dbc"}, {"all files", "*.*"}}, "", ""});
    if (path) {
        OpenTableFile(*path);
    }
}

void EditorSession::Reload() {
    if (workspace_.Current.FilePath.empty()) {
        throw KelvaneError(workspace_.Current.TableName +
                           " has not been saved to a file yet: there is nothing to reload.");
    }
    if (!SaveOrDiscardChanges()) {
        return;
    }
    LoadTable(workspace_.Current.FilePath, true, 0);
}

bool EditorSession::Save() {
    const std::string& path = workspace_.Current.FilePath;
    if (path.empty() && workspace_.Table.Active()) {
        return SaveAs();
    }
    return ConfirmTextFit(path) && WriteTable(path);
}

bool EditorSession::SaveAs() {
    CurrentTable& current = workspace_.Current;
    const std::optional<std::string> path =
        dialogs_.ChooseSaveFile({"Save as", {{"*.dbc", "*.dbc"}}, "dbc", current.TableName});
    if (!path || !ConfirmTextFit(*path)) {
        return false;
    }
    current.FilePath = *path;
    current.TableName = TableNameFromPath(*path);
    SetCaption(kOpenedCaptionPrefix + current.TableName);
    if (!WriteTable(*path)) {
        return false;
    }
    SaveTableFieldDefinitions(current, workspace_.Defs, workspace_.Table);
    TellFileOpened(*path);
    return true;
}

void EditorSession::SetFileOpenedListener(std::function<void(const std::string&)> listener) {
    fileOpenedListener_ = std::move(listener);
}

void EditorSession::TellFileOpened(const std::string& path) {
    if (fileOpenedListener_) {
        fileOpenedListener_(path);
    }
}

void EditorSession::SetDatOffer(std::function<void(const DatKind&)> offer) {
    datOffer_ = std::move(offer);
}

bool EditorSession::WriteTable(const std::string& path) {
    bool written = false;
    try {
        written = SaveOverChangesAfterAsking(path);
    } catch (...) {
        OfferDatFile();
        throw;
    }
    if (written) {
        // The file now holds what the table holds: later saves change nothing the user did not.
        state_.Definitions.TextFit = {};
        history_.MarkSaved();
        PublishWindowState();
        feedback_.CommandDone(SavedText(workspace_.Table.RecordCount(), path));
        OfferDatFile();
    }
    return written;
}

bool EditorSession::SaveOverChangesAfterAsking(const std::string& path) {
    for (;;) {
        try {
            BusyScope busy(feedback_);
            GuardMemory(FileWork::Saving, path, [&] { SaveDbcFile(workspace_, path); });
            return true;
        } catch (const FileChangedError& changed) {
            if (!dialogs_.Confirm(
                    FileChangedError::Description(path) + "\n\nOverwrite it with this table?",
                    "Overwrite")) {
                return false;
            }
            // Compared with the file as it is now, so a change made while asking is caught too.
            workspace_.LoadedFile = changed.Current();
        }
    }
}

// The kind is decided by the name the table was opened with, so a table saved under another
// name, or made with New after opening one, still offers the file of the table first opened.
void EditorSession::OfferDatFile() {
    const DatKind* kind = DatKindForTable(workspace_.Current.OpenedTableName);
    if (kind != nullptr && datOffer_) {
        datOffer_(*kind);
    }
}

// A table whose string columns do not fit the block of the file it was loaded from (usually
// because the field definitions do not fit the file) would change data the user never touched.
bool EditorSession::ConfirmTextFit(const std::string& path) {
    return !workspace_.Table.Active() || state_.Definitions.TextFit.Fits() ||
           dialogs_.AskYesNoDefaultNo(SaveDespiteMisfitQuestion(path, state_.Definitions.TextFit));
}

// Integer columns named by their number; the definitions say so first.
void EditorSession::BuildCountTable(int fieldCount) {
    for (int field = 0; field < fieldCount; ++field) {
        const std::string name = std::to_string(field);
        workspace_.Defs[field] = FieldDef{field, name, "ftInteger", FieldKind::ftInteger, false};
    }
    BuildTableFromDefinitions(fieldCount);
}

// Index and one column per definition, names as they stand (a new table's names are not cut).
void EditorSession::BuildTableFromDefinitions(int fieldCount) {
    CreateTableFromDefinitions(workspace_, fieldCount);
}

void EditorSession::NewTable(const NewTableRequest& request) {
    CurrentTable& current = workspace_.Current;
    // The counter moves on and the grid gets its column rules once the dialog was confirmed,
    // also when building the table failed.
    struct FinishNew {
        Workspace& work;
        ~FinishNew() {
            ++work.Current.NewTableCounter;
            SetupGridColumns(work.Table, work.Defs);
        }
    } finish{workspace_};

    if (request.From == NewTableRequest::Source::FieldCount) {
        BuildCountTable(ParseFieldCount(request.FieldCountText));
    } else {
        const int fieldCount = ImportFieldDefFile(request.FieldDefFilePath, workspace_.Defs);
        if (fieldCount <= 0) {
            return;
        }
        BuildTableFromDefinitions(fieldCount);
    }
    workspace_.LoadedFile.reset();
    state_.Definitions = {};

    current.TableName = "Custom" + std::to_string(current.NewTableCounter);
    current.FilePath.clear();
    SetCaption(kNewCaptionPrefix + current.TableName);
    EnableFileCommands(false);
    SaveAs();
}

void EditorSession::TakeOverFieldDefinitions(const std::vector<FieldDef>& defs,
                                             int fieldCountBefore) {
    const CurrentTable& current = workspace_.Current;
    const bool fromFile = !current.FilePath.empty();
    // Asked before anything is taken over: a reload from the file drops the unsaved changes.
    if (AutoReloadOnFieldsChange && fromFile && !SaveOrDiscardChanges()) {
        return;
    }
    TakeOverFieldDefs(workspace_, defs);
    if (!AutoReloadOnFieldsChange) {
        return;
    }
    if (!fromFile) {
        RebuildWithDefinitions(current.ConfirmedFieldCount);
    } else if (fieldCountBefore == current.ConfirmedFieldCount) {
        LoadTable(current.FilePath, true, 0);
    } else {
        LoadTable(current.FilePath, false, current.ConfirmedFieldCount);
    }
}

// The records stay as a save would write them, read with the new definitions as a reload would
// read the file: nothing of the table is lost, so nothing is asked.
void EditorSession::RebuildWithDefinitions(int fieldCount) {
    if (!workspace_.Table.Active()) {
        return;
    }
    const std::string bytes = EncodeDbcTable(workspace_);
    const std::string name = workspace_.Current.TableName;
    ShowLoadReport(RunLoad([&](const LoadProgress& progress) {
                       return LoadDbcBytes(workspace_, name, bytes, false, fieldCount, progress);
                   }),
                   name);
}

bool EditorSession::LoadPreset(const Preset& preset) {
    const CurrentTable& current = workspace_.Current;
    if (current.LastOpenedPath.empty()) {
        throw KelvaneError(
            "Open a table first: a preset is written into the folder of the table opened last.");
    }
    const bool reload = !current.FilePath.empty();
    if (reload && !SaveOrDiscardChanges()) {
        return false;
    }
    const std::string folder = FolderOfPath(current.LastOpenedPath);
    const std::string path = JoinPath(folder, preset.FileName);
    std::error_code missing;
    if (std::filesystem::exists(path, missing) &&
        ReadWholeFile(path, NamedBy::Program) != preset.Text &&
        !dialogs_.Confirm(path + " holds other field definitions.\n\nReplace them with the " +
                              std::string(preset.Item) + " preset?",
                          "Replace")) {
        return false;
    }
    WritePreset(preset, folder);
    if (reload) {
        LoadTable(current.FilePath, true, 0);
    }
    return true;
}

void EditorSession::EmptyTable() {
    RecordTable& table = workspace_.Table;
    table.RequireActive();
    if (dialogs_.AskYesNoDefaultNo("Delete all " + std::to_string(table.RecordCount()) +
                                   " records?")) {
        table.DeleteAllRecords();
    }
}

void EditorSession::AddRow() {
    workspace_.Table.Insert();
}

void EditorSession::DeleteRow() {
    DeleteRecordAfterAsking(workspace_.Table, dialogs_);
}

}  // namespace kelvane

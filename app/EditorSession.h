#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/DefinitionsFit.h"
#include "app/ProgramTexts.h"
#include "core/dbc/DbcReader.h"
#include "core/table/FieldDef.h"
#include "core/table/RecordTableListener.h"
#include "core/undo/UndoHistory.h"

namespace kelvane {

struct DatKind;
struct NewTableRequest;
struct Preset;
class RecordTable;
class UserDialogs;
class WorkFeedback;
struct Workspace;

// What the main window shows of the session: its caption and which commands are enabled.
struct MainWindowState {
    std::string Caption = ApplicationTitle();
    // "&Save", "Save &as..." and "Export &everything to...", while a table is open
    bool FileCommandsEnabled = false;
    // "&Reload", while the open table has a file to read again
    bool ReloadEnabled = false;
    // "Export selected &line to csv" and "Export for &Patchwell", while a table opened from a
    // file (or one made after it) is open
    bool RecordExportsEnabled = false;
    // The table holds changes its file does not: the caption's "*".
    bool Unsaved = false;
    // What "Undo" and "Redo" would do ("Edit Cell"), empty when there is nothing to do.
    std::string UndoName;
    std::string RedoName;
    // The definitions the open table was loaded with and how its texts fit its file's string
    // block, until it is saved.
    DefinitionsFit Definitions;
};

// What the command line leaves the program to do: go on, or end after a batch run (saved, or
// not saved because the file changed on disk and nobody could be asked).
enum class CommandLineOutcome { KeepRunning, BatchSaved, BatchNotSaved };

// The main window's commands on the open table, free of any window: the windows gather the
// user's choices and forward them here. Failures are thrown as KelvaneError for the caller's
// command handler to show.
class EditorSession : private RecordTableListener {
  public:
    EditorSession(Workspace& workspace, UserDialogs& dialogs, WorkFeedback& feedback);
    ~EditorSession() override;
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    Workspace& Work() { return workspace_; }
    WorkFeedback& Feedback() { return feedback_; }
    const MainWindowState& WindowState() const { return state_; }
    // Called after every change of WindowState.
    void SetWindowStateListener(std::function<void()> listener);
    // Called after every save of a table opened as one of the .dat kinds, also when the
    // writing failed, to offer writing its lookup file.
    void SetDatOffer(std::function<void(const DatKind&)> offer);
    // Called with the path of a file the user opened (by a dialog or on the command line, not
    // in a batch run) or saved under a new name.
    void SetFileOpenedListener(std::function<void(const std::string&)> listener);

    // Whether the open table holds changes its file does not: typed but not posted ones, text
    // still in an editor of the window, and the records of a table never saved included.
    bool HasUnsavedChanges() const;
    // Before a command drops the open table's unsaved changes: asks Save / Discard / Cancel and
    // returns whether the command may go on (nothing to lose, saved, or discarded). A save the
    // user declines returns false; one that fails throws, so the command stops either way.
    bool SaveOrDiscardChanges();
    // Lets the window hand the text still being typed into its editors (a grid cell, the Cell
    // pane) to the table: commit returns false when a value was refused (the window has said
    // why), holdsTypedText whether any editor holds text it has not handed on.
    void SetTypedEdits(std::function<bool()> commit, std::function<bool()> holdsTypedText);
    // Hands the text still being typed to the table; false when a value was refused.
    bool CommitTypedEdit();
    // The window's editors started or stopped holding typed text: the caption's "*" follows.
    void TypedTextChanged();

    // The grid column of the last mouse press on the grid, Index counting as 0.
    int SelectedColumn = 0;
    // "Auto reload on fields change" in the Options menu.
    bool AutoReloadOnFieldsChange = true;

    // Makes the file the current table and loads it with its field definitions. A file that
    // cannot be loaded leaves the open table as it was.
    void OpenTableFile(const std::string& path);
    // The program's arguments after its own name: a DBC path opens that file; "/i", a DBC path
    // and a patch file write the Spell preset beside the DBC file, load it, apply the patch and
    // save, unless the table does not fit its file's string block and "--force" does not
    // follow. Returns what the program is to do next.
    CommandLineOutcome RunCommandLine(const std::vector<std::string>& arguments);

    // Asks about unsaved changes, then for the file; the open table stays until the chosen
    // file has loaded.
    void Open();
    // Asks about unsaved changes, then reads the file again. Fails for a table never saved.
    void Reload();
    // Returns whether the table was written (the user may decline a save that would change
    // data beyond the edits, or one over a file that changed on disk since it was loaded). A
    // table never saved is saved as the file the user chooses.
    bool Save();
    // Asks for the file, which the dialog confirms replacing; returns whether it was written.
    bool SaveAs();
    // A table named CustomN with no file: the first save asks where it goes.
    void NewTable(const NewTableRequest& request);
    // Takes over the definitions the field settings dialog was confirmed with; fieldCountBefore
    // is the table's field count when the dialog opened (-1 for a closed table). With
    // AutoReloadOnFieldsChange the table is reloaded with them, after asking about unsaved
    // changes: a Cancel takes nothing over and writes no field-definition file. A table never
    // saved is rebuilt from its own records instead, with nothing to ask.
    void TakeOverFieldDefinitions(const std::vector<FieldDef>& defs, int fieldCountBefore);
    // "Load Preset": writes the preset into the folder of the file opened last and reloads the
    // table from its file. Unsaved changes are asked about first, and a file there holding other
    // definitions is replaced only once the user agrees; returns false when the user cancelled
    // either, having written nothing. Fails when no file was opened yet.
    bool LoadPreset(const Preset& preset);
    // Deletes every record once the user has agreed (default No).
    void EmptyTable();
    void AddRow();
    // Deletes the current record once the user has agreed, as the navigator does.
    void DeleteRow();
    // Take back the last change to the table, or do again the last one taken back.
    void Undo();
    void Redo();

  private:
    void EnableFileCommands(bool recordExports);
    void PublishWindowState();
    // Typing starts or ends a change the history does not hold yet.
    void CellsChanged(const CellsChange& change) override;
    void CursorChanged(const CursorChange& change) override;
    void RefreshHistoryState();
    void TakeCommandLinePath(const std::string& path);
    CommandLineOutcome RunBatch(const std::string& dbcPath, const std::string& patchPath,
                                bool force);
    void SetCaption(std::string caption);
    void LoadTable(const std::string& path, bool applyDefinitions, int fieldLimit);
    // Replaces the open table with the file's records; the open table stays when that fails.
    LoadReport ReadTable(const std::string& path, bool applyDefinitions, int fieldLimit);
    // Runs a load with its progress shown; afterwards the table holds what its file holds.
    LoadReport RunLoad(const std::function<LoadReport(const LoadProgress&)>& load);
    // The caption mark and the warning a load leaves.
    void ShowLoadReport(const LoadReport& report, const std::string& path);
    void BuildCountTable(int fieldCount);
    void BuildTableFromDefinitions(int fieldCount);
    // Reads a table never saved back from what a save would write, with the definitions held.
    void RebuildWithDefinitions(int fieldCount);
    // The open table's file name in questions, or its name while it has no file.
    std::string TableLabel() const;
    bool ConfirmTextFit(const std::string& path);
    // Saves and offers the .dat file; returns false when the user cancelled.
    bool WriteTable(const std::string& path);
    // Saves; when the file changed on disk since it was loaded, asks whether to overwrite it and
    // returns false when the user cancels.
    bool SaveOverChangesAfterAsking(const std::string& path);
    void OfferDatFile();
    void TellFileOpened(const std::string& path);

    Workspace& workspace_;
    UserDialogs& dialogs_;
    WorkFeedback& feedback_;
    MainWindowState state_;
    std::function<void()> stateListener_;
    std::function<void(const DatKind&)> datOffer_;
    std::function<bool()> typedEditCommit_;
    std::function<bool()> holdsTypedText_;
    std::function<void(const std::string&)> fileOpenedListener_;
    bool recordExportsOffered_ = false;
    UndoHistory history_;
};

}  // namespace kelvane

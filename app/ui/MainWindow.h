#pragma once

#include <QMainWindow>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/RecordSearch.h"
#include "app/ui/KeptSettings.h"
#include "app/ui/MainMenus.h"

class QProgressBar;
class QPushButton;
class QToolButton;

namespace kelvane {

class CellPane;
class DbGrid;
class EditorSession;
class FieldSettingsDialog;
class MainStatusBar;
class GoToRecordDialog;
class ModalRunner;
class NewTableDialog;
class RecordNavigator;
class RecentFilesMenu;
class RecordTableModel;
class UserDialogs;

// The main window: the grid over the open table with its navigator and the Cell pane, the menus,
// and the file commands, which it forwards to the session.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(EditorSession& session, UserDialogs& dialogs, ModalRunner& modals,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialogs of the Fields and New commands, created after this window.
    void SetFieldDialogs(FieldSettingsDialog& fieldSettings, NewTableDialog& createNew);
    // The program's arguments after its own name, handled when the window is first shown.
    void SetCommandLine(std::vector<std::string> arguments);
    // Without a display nobody can read why a batch run failed, so it ends the program with
    // status 1 instead of staying open.
    void SetHeadless(bool headless) { headless_ = headless; }

    const MainMenus& Menus() const { return menus_; }
    DbGrid& Grid() const { return *grid_; }
    kelvane::CellPane& CellPane() const { return *cellPane_; }
    RecordTableModel& Model() const { return *model_; }
    // Where the window tells where the user is and what the last command did.
    MainStatusBar& Status() const { return *status_; }
    // The thin bar the export of all records shows while it works.
    QProgressBar& ExportProgressBar() const { return *progressBar_; }

    // Runs one user command: a value still being typed into the grid or the Cell pane goes into
    // the table first (a refused one stops the command), and a failure is shown in a message
    // box and the program goes on.
    void RunCommand(const std::function<void()>& command);
    // Runs the command, through RunCommand, whenever one of the entries is chosen.
    void ConnectCommand(std::initializer_list<QAction*> entries, std::function<void()> command);

    void OpenTableFile(const std::string& path);
    void RunCommandLine();

  protected:
    void showEvent(QShowEvent* event) override;
    // Asks about unsaved changes; a cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildTopPanel(QWidget* panel);
    void ConnectFileCommands();
    void ConnectTableCommands();
    void AddCellPaneAndClipboard();
    void ConnectTypedEdits();
    void ApplyWindowState();
    // Restores the size, position, dock layout and recent files kept from the last run.
    void RestoreKeptState();
    void ConnectKeptColumnWidths();
    void ShowPosition();
    void OpenRecentFile(const std::string& path);
    void EditFields();
    void CreateNewTable();
    void FindRecords();
    void FindNext();
    void GoTo();
    // Runs a search (FindRecord or FindNextRecord) with progress and a way to cancel.
    template <typename Find>
    std::optional<SearchMatch> Search(const Find& find);
    // Selects the cell found and returns true, or says that nothing was. A Find Next started on
    // the table row nextFromRow says too when it wrapped around.
    bool ShowSearchResult(const std::optional<SearchMatch>& match, std::optional<int> nextFromRow);

    EditorSession& session_;
    UserDialogs& dialogs_;
    ModalRunner& modals_;
    KeptSettings settings_;
    MainMenus menus_;
    MainStatusBar* status_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    RecordTableModel* model_ = nullptr;
    RecordNavigator* navigator_ = nullptr;
    QToolButton* findButton_ = nullptr;
    QPushButton* withParamButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    DbGrid* grid_ = nullptr;
    kelvane::CellPane* cellPane_ = nullptr;
    FieldSettingsDialog* fieldSettings_ = nullptr;
    NewTableDialog* createNew_ = nullptr;
    GoToRecordDialog* goTo_ = nullptr;
    SearchSettings searchSettings_;
    bool searchConfirmed_ = false;  // Find Next has something to look for
    std::vector<std::string> arguments_;
    bool commandLineHandled_ = false;
    bool headless_ = false;
};

}  // namespace kelvane

#include "app/ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/EditorSession.h"
#include "app/GoToRecord.h"
#include "app/LongWork.h"
#include "app/ProgramTexts.h"
#include "app/StatusTexts.h"
#include "app/ui/CellEditDelegate.h"
#include "app/ui/CellPane.h"
#include "app/ui/DbGrid.h"
#include "app/ui/FieldSettingsDialog.h"
#include "app/ui/GoToRecordDialog.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/NewTableDialog.h"
#include "app/ui/RecentFilesMenu.h"
#include "app/ui/RecordNavigator.h"
#include "app/ui/RecordSearchDialog.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/RecordViewModel.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "shell/CommandGuard.h"
#include "shell/UserDialogs.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/ModalRunner.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kTopPanelHeight = 25;

// "Undo Edit Cell": the entry names the step it takes back or does again.
void ShowStepEntry(QAction& entry, const char* verb, const std::string& step) {
    entry.setText(step.empty() ? QString::fromLatin1(verb)
                               : QString::fromLatin1(verb) + ' ' + ToQt(step));
    entry.setEnabled(!step.empty());
}

}  // namespace

MainWindow::MainWindow(EditorSession& session, UserDialogs& dialogs, ModalRunner& modals,
                       QWidget* parent)
    : QMainWindow(parent), session_(session), dialogs_(dialogs), modals_(modals) {
    setObjectName("Form1");
    resize(763, 553);
    CentreOnScreen(*this);
    menus_ = BuildMainMenus(*this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* panel = new QWidget(central);
    panel->setObjectName("Panel1");
    panel->setFixedHeight(kTopPanelHeight);
    layout->addWidget(panel);
    model_ = new RecordTableModel(session_.Work().Table, dialogs_, this);
    model_->SetColumnHelp(session_.Work().Definitions);
    grid_ = new DbGrid(*model_, dialogs_, central);
    grid_->setObjectName("DBGrid1");
    layout->addWidget(grid_);
    BuildTopPanel(panel);
    setCentralWidget(central);
    status_ = new MainStatusBar(this);
    setStatusBar(status_);

    ConnectFileCommands();
    ConnectTableCommands();
    AddCellPaneAndClipboard();
    ConnectTypedEdits();
    ConnectKeptColumnWidths();
    // Every move of the table's cursor and every change of its rows reaches the grid as one of
    // these.
    connect(model_, &RecordTableModel::tableChangeShown, this, &MainWindow::ShowPosition);
    connect(model_, &QAbstractItemModel::modelReset, this, &MainWindow::ShowPosition);
    // A filter set, changed or dropped changes the records shown.
    connect(&grid_->ViewModel(), &RecordViewModel::shownCountChanged, this,
            &MainWindow::ShowPosition);
    connect(&grid_->ViewModel(), &QAbstractItemModel::modelReset, this, &MainWindow::ShowPosition);
    session_.SetWindowStateListener([this] { ApplyWindowState(); });
    ApplyWindowState();
    RestoreKeptState();
}

MainWindow::~MainWindow() {
    // The grid's editors close as the window goes: the session must no longer ask about them.
    session_.SetTypedEdits({}, {});
    session_.SetWindowStateListener({});
}

// Text typed into a cell of the grid or into the Cell pane goes into the table before every
// command, and marks the caption from the first keystroke.
void MainWindow::ConnectTypedEdits() {
    session_.SetTypedEdits(
        [this] { return grid_->CommitEdit() && cellPane_->CommitTypedText(); },
        [this] {
            const auto* editor =
                qobject_cast<const QLineEdit*>(grid_->indexWidget(grid_->currentIndex()));
            return (editor != nullptr && editor->isModified()) || cellPane_->HoldsTypedText();
        });
    const auto typed = [this] { session_.TypedTextChanged(); };
    connect(static_cast<CellEditDelegate*>(grid_->itemDelegate()),
            &CellEditDelegate::typedTextChanged, this, typed);
    connect(cellPane_, &CellPane::typedTextChanged, this, typed);
}

void MainWindow::RestoreKeptState() {
    restoreGeometry(settings_.WindowGeometry());
    restoreState(settings_.WindowLayout());
    recentFiles_ = new RecentFilesMenu(*menus_.RecentFiles, settings_, this);
    connect(recentFiles_, &RecentFilesMenu::fileChosen, this, &MainWindow::OpenRecentFile);
    session_.SetFileOpenedListener([this](const std::string& path) { recentFiles_->Add(path); });
}

// Widths are kept per table by column name, so they survive a change of the column count.
void MainWindow::ConnectKeptColumnWidths() {
    grid_->SetKeptWidths([this](int column) {
        const RecordTable& table = session_.Work().Table;
        return settings_.ColumnWidth(session_.Work().Current.TableName, table.ColumnName(column));
    });
    connect(grid_, &DbGrid::columnWidthChosen, this, [this](int column, int width) {
        const RecordTable& table = session_.Work().Table;
        if (column < table.FieldCount()) {
            settings_.SetColumnWidth(session_.Work().Current.TableName, table.ColumnName(column),
                                     width);
        }
    });
}

// A record being inserted counts: it is a row of the grid like the others.
void MainWindow::ShowPosition() {
    const RecordTable& table = session_.Work().Table;
    status_->ShowPosition(table.CurrentRow(), table.RowCount(), table.Active());
    const RecordViewModel& view = grid_->ViewModel();
    status_->ShowShownCount(view.View().Filtered() ? std::optional<int>(view.ShownCount())
                                                   : std::nullopt);
}

// Like Open with the file already chosen: unsaved changes are asked about first.
void MainWindow::OpenRecentFile(const std::string& path) {
    RunCommand([this, path] {
        if (session_.SaveOrDiscardChanges()) {
            session_.OpenTableFile(path);
        }
    });
}

void MainWindow::BuildTopPanel(QWidget* panel) {
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    navigator_ = new RecordNavigator(
        grid_->ViewModel(), dialogs_, [this] { return session_.CommitTypedEdit(); }, panel);
    navigator_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The buttons take the focus to close a cell editor; the keys belong to the grid after.
    connect(navigator_, &RecordNavigator::CommandFinished, grid_,
            [this] { grid_->setFocus(Qt::OtherFocusReason); });
    layout->addWidget(navigator_);

    findButton_ = new QToolButton(panel);
    findButton_->setObjectName("SpeedButton1");
    findButton_->setText("Find");
    findButton_->setAutoRaise(true);
    layout->addWidget(findButton_);
    connect(findButton_, &QToolButton::clicked, this, &MainWindow::FindRecords);

    withParamButton_ = new QPushButton("With Param...", panel);
    withParamButton_->setObjectName("Button1");
    withParamButton_->hide();
    connect(withParamButton_, &QPushButton::clicked, this, &MainWindow::RunCommandLine);

    progressBar_ = new QProgressBar(panel);
    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setMaximumHeight(8);
    progressBar_->setTextVisible(false);
    progressBar_->hide();
    layout->addWidget(progressBar_, 1);
    layout->addStretch(1);
}

void MainWindow::ConnectFileCommands() {
    connect(menus_.NewTable, &QAction::triggered, this, &MainWindow::CreateNewTable);
    ConnectCommand({menus_.OpenDbc}, [this] { session_.Open(); });
    ConnectCommand({menus_.ReloadLastFile}, [this] { session_.Reload(); });
    ConnectCommand({menus_.Save}, [this] { session_.Save(); });
    ConnectCommand({menus_.SaveAs}, [this] { session_.SaveAs(); });
    connect(menus_.Exit, &QAction::triggered, this, &QWidget::close);
    connect(menus_.About, &QAction::triggered, this,
            [this] { dialogs_.ShowMessage(AboutText(qVersion())); });
}

void MainWindow::ConnectTableCommands() {
    connect(menus_.Fields, &QAction::triggered, this, &MainWindow::EditFields);
    ConnectCommand({menus_.EmptyTable}, [this] { session_.EmptyTable(); });
    ConnectCommand({menus_.Undo}, [this] { session_.Undo(); });
    ConnectCommand({menus_.Redo}, [this] { session_.Redo(); });
    connect(menus_.Find, &QAction::triggered, this, &MainWindow::FindRecords);
    connect(menus_.FindNext, &QAction::triggered, this, &MainWindow::FindNext);
    goTo_ = new GoToRecordDialog(this);
    connect(menus_.GoTo, &QAction::triggered, this, &MainWindow::GoTo);
    connect(menus_.AutoReloadOnFieldsChange, &QAction::toggled, this,
            [this](bool checked) { session_.AutoReloadOnFieldsChange = checked; });
    ConnectCommand({menus_.PopupAddRow}, [this] { session_.AddRow(); });
    ConnectCommand({menus_.PopupDeleteRow}, [this] { session_.DeleteRow(); });
    connect(grid_, &DbGrid::columnPressed, this,
            [this](int column) { session_.SelectedColumn = column; });
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        menus_.Popup->popup(grid_->viewport()->mapToGlobal(position));
    });
}

void MainWindow::AddCellPaneAndClipboard() {
    ConnectCommand({menus_.Copy}, [this] { grid_->CopySelection(false); });
    ConnectCommand({menus_.CopyWithHeaders}, [this] { grid_->CopySelection(true); });
    ConnectCommand({menus_.Paste}, [this] {
        const CellEntryOutcome pasted = RunLongWork(
            session_.Feedback(), "Pasting",
            [this](const WorkProgress& progress) { return grid_->PasteClipboard(progress); });
        status_->ShowCommandResult(PastedText(pasted));
    });
    cellPane_ = new kelvane::CellPane(*grid_, *model_, dialogs_, this);
    addDockWidget(Qt::RightDockWidgetArea, cellPane_);
    cellPane_->hide();
    connect(menus_.CellPane, &QAction::toggled, cellPane_, &QWidget::setVisible);
    connect(cellPane_->toggleViewAction(), &QAction::toggled, menus_.CellPane,
            &QAction::setChecked);
}

void MainWindow::SetFieldDialogs(FieldSettingsDialog& fieldSettings, NewTableDialog& createNew) {
    fieldSettings_ = &fieldSettings;
    createNew_ = &createNew;
}

void MainWindow::SetCommandLine(std::vector<std::string> arguments) {
    arguments_ = std::move(arguments);
}

void MainWindow::RunCommand(const std::function<void()>& command) {
    if (session_.CommitTypedEdit()) {
        RunGuarded(dialogs_, command);
    }
}

void MainWindow::ConnectCommand(std::initializer_list<QAction*> entries,
                                std::function<void()> command) {
    for (QAction* entry : entries) {
        connect(entry, &QAction::triggered, this, [this, command] { RunCommand(command); });
    }
}

void MainWindow::OpenTableFile(const std::string& path) {
    RunCommand([&] { session_.OpenTableFile(path); });
}

void MainWindow::RunCommandLine() {
    CommandLineOutcome outcome = CommandLineOutcome::KeepRunning;
    const bool finished =
        RunGuarded(dialogs_, [this, &outcome] { outcome = session_.RunCommandLine(arguments_); });
    // A batch run ends the program once it has saved (or the save was declined). A failing one
    // leaves the program open for the user to see why, unless nobody can see it.
    if (outcome != CommandLineOutcome::KeepRunning) {
        QCoreApplication::exit(outcome == CommandLineOutcome::BatchSaved ? 0 : 1);
    } else if (!finished && headless_ && !arguments_.empty() && arguments_[0] == "/i") {
        QCoreApplication::exit(1);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!commandLineHandled_ && !event->spontaneous()) {
        commandLineHandled_ = true;
        // Queued, so the window is on screen before a long load starts.
        QMetaObject::invokeMethod(this, &MainWindow::RunCommandLine, Qt::QueuedConnection);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    RunCommand([this, &mayClose] { mayClose = session_.SaveOrDiscardChanges(); });
    if (mayClose) {
        settings_.SetWindow(saveGeometry(), saveState());
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void MainWindow::ApplyWindowState() {
    const MainWindowState& state = session_.WindowState();
    // The mark is part of the caption, not Qt's "[*]" placeholder, so the caption reads the
    // same wherever it is shown.
    setWindowTitle(ToQt(state.Caption) + (state.Unsaved ? QStringLiteral("*") : QString()));
    ShowStepEntry(*menus_.Undo, "&Undo", state.UndoName);
    ShowStepEntry(*menus_.Redo, "&Redo", state.RedoName);
    for (QAction* action : {menus_.Save, menus_.SaveAs, menus_.ExportEverything, menus_.MysqlDump,
                            menus_.ExportSqlite, menus_.ImportSqlite, menus_.CompareWith}) {
        action->setEnabled(state.FileCommandsEnabled);
    }
    menus_.ReloadLastFile->setEnabled(state.ReloadEnabled);
    menus_.ExportSelectedLine->setEnabled(state.RecordExportsEnabled);
    menus_.ExportForPatchwell->menuAction()->setEnabled(state.RecordExportsEnabled);
    status_->ShowUnsaved(state.Unsaved);
    status_->ShowDefinitions(state.Definitions);
    ShowPosition();
}

void MainWindow::EditFields() {
    RunCommand([this] {
        const int fieldCountBefore = session_.Work().Table.FieldCount() - 1;
        if (modals_.RunModal(*fieldSettings_) == QDialog::Accepted) {
            session_.TakeOverFieldDefinitions(fieldSettings_->ConfirmedDefinitions(),
                                              fieldCountBefore);
        }
    });
}

void MainWindow::CreateNewTable() {
    RunCommand([this] {
        if (session_.SaveOrDiscardChanges() && modals_.RunModal(*createNew_) == QDialog::Accepted) {
            session_.NewTable(createNew_->Request());
        }
    });
}

// A search the dialog asked for that finds nothing says so and asks again, with what was
// typed, until something is found or the user cancels.
void MainWindow::FindRecords() {
    RunCommand([this] {
        RecordTable& table = session_.Work().Table;
        for (;;) {
            const SearchRequest request = AskRecordSearch(this, modals_, table, searchSettings_);
            if (request == SearchRequest::Cancelled) {
                return;
            }
            searchConfirmed_ = true;
            const bool next = request == SearchRequest::FindNext;
            const int fromRow = table.CurrentRow();
            const std::optional<SearchMatch> match =
                next ? Search(FindNextRecord) : Search(FindRecord);
            if (ShowSearchResult(match, next ? std::optional<int>(fromRow) : std::nullopt)) {
                return;
            }
        }
    });
}

void MainWindow::FindNext() {
    // Before the first search there is nothing to look for again: ask what to find.
    if (!searchConfirmed_) {
        FindRecords();
        return;
    }
    RunCommand([this] {
        const int fromRow = session_.Work().Table.CurrentRow();
        ShowSearchResult(Search(FindNextRecord), fromRow);
    });
}

template <typename Find>
std::optional<SearchMatch> MainWindow::Search(const Find& find) {
    return RunLongWork(session_.Feedback(), "Finding", [&](const WorkProgress& progress) {
        return find(session_.Work().Table, grid_->ViewModel().View(), searchSettings_, progress);
    });
}

bool MainWindow::ShowSearchResult(const std::optional<SearchMatch>& match,
                                  std::optional<int> nextFromRow) {
    if (!match) {
        dialogs_.ShowMessage(NoMatchMessage(searchSettings_));
        return false;
    }
    const RecordViewModel& view = grid_->ViewModel();
    grid_->setCurrentIndex(view.index(view.ShownRowOf(match->Row), match->Column));
    if (nextFromRow && WrappedAround(view.View(), *nextFromRow, *match)) {
        status_->ShowCommandResult(WrappedAroundText());
    }
    return true;
}

void MainWindow::GoTo() {
    RunCommand([this] {
        RecordTable& table = session_.Work().Table;
        table.RequireActive();
        goTo_->Prepare(table);
        if (modals_.RunModal(*goTo_) == QDialog::Accepted) {
            GoToRecord(table, grid_->ViewModel().View(), goTo_->Column(), FromQt(goTo_->Value()));
        }
    });
    grid_->setFocus(Qt::OtherFocusReason);
}

}  // namespace kelvane

#include "program/Program.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include "app/EditorArguments.h"
#include "app/StatusTexts.h"
#include "app/ui/FieldSettingsDialog.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NewTableDialog.h"
#include "app/ui/PresetWindow.h"
#include "core/base/KelvaneVersion.h"
#include "core/files/SideFileFolder.h"
#include "core/workspace/Workspace.h"
#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/CreatureSearchWindows.h"
#include "editors/ui/DatGeneratorWindow.h"
#include "editors/ui/DatQuestionWindow.h"
#include "editors/ui/ItemsEditorWindow.h"
#include "editors/ui/QuestEditorWindow.h"
#include "exchange/ui/CompareWindow.h"
#include "exchange/ui/ExportQueueWindow.h"
#include "exchange/ui/NotesWindow.h"
#include "launcher/ui/ConverterWindow.h"
#include "program/CompareMenuWiring.h"
#include "program/EditorMenuWiring.h"
#include "program/ExchangeMenuWiring.h"
#include "program/ImportMenuWiring.h"
#include "program/SqlDumpMenuWiring.h"
#include "program/SqliteMenuWiring.h"
#include "shell/CommandGuard.h"
#include "shell/ui/LoadProgressWindow.h"
#include "shell/ui/QtText.h"
#include "talents/ui/DeleteTalentWindow.h"
#include "talents/ui/TalentRanksWindow.h"
#include "talents/ui/TalentTreeWindow.h"

namespace kelvane {
namespace {

// The icon drawn in every size the desktop's menu offers, built into the program so that its
// windows have it wherever it runs from.
QIcon ProgramIcon() {
    QIcon icon;
    for (const QFileInfo& size : QDir(":/icons").entryInfoList(QDir::Dirs)) {
        icon.addFile(size.filePath() + "/kelvane.png");
    }
    return icon;
}

}  // namespace

Program::Program(UserDialogs& dialogs, ModalRunner& modals, std::vector<std::string> arguments)
    : workspace_(std::make_unique<Workspace>()),
      session_(*workspace_, dialogs, feedback_),
      definitionOptions_(session_, dialogs),
      exchange_(workspace_->Table, dialogs, feedback_),
      imports_(workspace_->Table, dialogs, feedback_),
      sqlDump_(*workspace_, dialogs, feedback_),
      comparisons_(*workspace_, dialogs, feedback_),
      sqlite_(*workspace_, dialogs, feedback_),
      talentFiles_(session_),
      talents_(talentFiles_, dialogs) {
    QApplication::setApplicationName(ToQt(ApplicationTitle()));
    QApplication::setApplicationVersion(ToQt(KelvaneVersion()));
    // Desktops match the windows to the installed menu entry, and take its name and icon.
    QGuiApplication::setDesktopFileName("kelvane");
    QApplication::setWindowIcon(ProgramIcon());

    mainWindow_ = std::make_unique<kelvane::MainWindow>(session_, dialogs, modals);
    windows_.push_back(mainWindow_.get());
    QWidget* owner = mainWindow_.get();
    fieldSettings_ = Keep(new FieldSettingsDialog(*workspace_, dialogs, owner));
    newTable_ = Keep(new NewTableDialog(dialogs, owner));
    RecordTable& table = workspace_->Table;
    const std::string sideFileFolder =
        SideFileFolder(FromQt(QCoreApplication::applicationDirPath()));
    creatureEditor_ = Keep(new CreatureEditorWindow(table, dialogs, sideFileFolder, owner));
    auto* factionSearch = Keep(new FactionSearchWindow(*creatureEditor_, owner));
    auto* itemDat = Keep(new ItemDatWindow(table, dialogs, sideFileFolder, owner));
    auto* modelSearch = Keep(new ModelSearchWindow(*creatureEditor_, owner));
    questEditor_ = Keep(new QuestEditorWindow(table, dialogs, owner));
    Keep(new ItemsEditorWindow(owner));
    loadProgress_ = Keep(new LoadProgressWindow(owner));
    auto* creatureDat = Keep(new CreatureDatWindow(table, dialogs, sideFileFolder, owner));
    datQuestion_ = Keep(new DatQuestionWindow(owner));
    auto* gameObjectDat = Keep(new GameObjectDatWindow(table, dialogs, sideFileFolder, owner));
    NotesWindow* notes = Keep(new NotesWindow(dialogs, owner));
    ExportQueueWindow* queue = Keep(new ExportQueueWindow(dialogs, owner));
    presets_ = Keep(new PresetWindow(dialogs, *fieldSettings_, [this](const Preset& preset) {
        return session_.LoadPreset(preset);
    }));
    talentTree_ = Keep(new TalentTreeWindow(talents_, dialogs, owner));
    talentRanks_ = Keep(new TalentRanksWindow(talents_, dialogs, owner));
    deleteTalent_ = Keep(new DeleteTalentWindow(talents_, dialogs, owner));
    converter_ = Keep(new ConverterWindow(dialogs, sideFileFolder, owner));
    // Not one of the windows made at start in a fixed order: it shows what a command found.
    compare_ = new CompareWindow(
        [this](const TableComparison& comparison) { comparisons_.SavePatch(comparison); }, dialogs,
        owner);

    feedback_.SetProgressWindow(*loadProgress_);
    feedback_.SetResultListener(
        [this](const std::string& result) { mainWindow_->Status().ShowCommandResult(result); });
    QObject::connect(queue, &ExportQueueWindow::exported,
                     [this](int lines, const std::string& path) {
                         feedback_.CommandDone(ExportedPatchLinesText(lines, path));
                     });
    ConnectExchangeMenus(*mainWindow_, session_, exchange_, *queue, *notes);
    ConnectImportMenus(*mainWindow_, imports_);
    ConnectSqlDumpMenu(*mainWindow_, sqlDump_);
    ConnectCompareMenu(*mainWindow_, comparisons_, *compare_);
    ConnectSqliteMenus(*mainWindow_, sqlite_);
    ConnectEditorMenus(*mainWindow_, workspace_->Current, dialogs, *creatureEditor_, *questEditor_,
                       *converter_);
    mainWindow_->SetFieldDialogs(*fieldSettings_, *newTable_);
    // main refuses bad flags before any window exists; here a failure is shown like a
    // command's, and the remembered settings are loaded all the same.
    EditorArguments parsed;
    RunGuarded(dialogs, [&] { parsed = ParseEditorArguments(arguments); });
    RunGuarded(dialogs, [&] { definitionOptions_.Start(parsed); });
    mainWindow_->SetCommandLine(std::move(parsed.Others));
    mainWindow_->ConnectCommand({mainWindow_->Menus().DefinitionsFolder},
                                [this] { definitionOptions_.ChooseFolder(); });
    mainWindow_->ConnectCommand({mainWindow_->Menus().ClientBuild},
                                [this] { definitionOptions_.ChangeBuild(); });
    QObject::connect(fieldSettings_, &FieldSettingsDialog::LoadPresetRequested, presets_,
                     &QWidget::show);
    mainWindow_->ConnectCommand({mainWindow_->Menus().TalentEditor},
                                [this] { talentTree_->ShowInFront(); });
    QObject::connect(talentTree_, &TalentTreeWindow::DeleteTalentRequested, deleteTalent_,
                     &DeleteTalentWindow::ShowInFront);
    QObject::connect(creatureEditor_, &CreatureEditorWindow::ModelSearchRequested, modelSearch,
                     &ModelSearchWindow::ShowInFront);
    QObject::connect(creatureEditor_, &CreatureEditorWindow::FactionSearchRequested, factionSearch,
                     &FactionSearchWindow::ShowInFront);
    datQuestion_->SetGenerators(*itemDat, *creatureDat, *gameObjectDat);
    session_.SetDatOffer([this](const DatKind& kind) { datQuestion_->Ask(kind); });
}

Program::~Program() = default;

}  // namespace kelvane

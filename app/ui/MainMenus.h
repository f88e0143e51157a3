#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace kelvane {

// The main window's menu bar and the grid's pop-up menu. Every entry carries its component
// name as object name; the window connects the entries it handles, later subsystems the rest.
struct MainMenus {
    // "&File"
    QAction* NewTable = nullptr;
    QAction* OpenDbc = nullptr;
    QAction* ReloadLastFile = nullptr;
    QAction* Save = nullptr;
    QAction* SaveAs = nullptr;
    // "Recent &files", filled with the files opened last
    QMenu* RecentFiles = nullptr;
    QAction* Exit = nullptr;
    // "E&dit"
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QAction* Fields = nullptr;
    QAction* EmptyTable = nullptr;
    QAction* GoTo = nullptr;
    // "&View"
    QAction* Find = nullptr;
    QAction* FindNext = nullptr;
    QAction* Notes = nullptr;
    // Copy and paste at the end of "E&dit"; the Cell pane's entry at the end of "&View"
    QAction* Copy = nullptr;
    QAction* CopyWithHeaders = nullptr;
    QAction* Paste = nullptr;
    QAction* CellPane = nullptr;
    // "&Options"
    QAction* AutoReloadOnFieldsChange = nullptr;
    QAction* DefinitionsFolder = nullptr;
    QAction* ClientBuild = nullptr;
    // "&Import"
    QAction* ImportPatch = nullptr;
    QAction* ImportCsv = nullptr;
    QAction* ImportScp = nullptr;
    QAction* ImportLootTemplates = nullptr;
    QAction* ImportWorldSave = nullptr;
    QAction* ImportQuests = nullptr;
    QAction* ImportPageText = nullptr;
    QAction* ImportSqlite = nullptr;
    // "E&xport"
    QAction* ExportEverything = nullptr;
    QAction* ExportSelectedLine = nullptr;
    QAction* MysqlDump = nullptr;
    QAction* ExportSqlite = nullptr;
    QMenu* ExportForPatchwell = nullptr;
    QAction* PatchExportAll = nullptr;
    QAction* PatchExportRow = nullptr;
    QAction* PatchExportCell = nullptr;
    QAction* QueueAddRow = nullptr;
    QAction* QueueAddCell = nullptr;
    QAction* QueueShow = nullptr;
    QAction* QueueClear = nullptr;
    QAction* QueueExport = nullptr;
    // "Tools"
    QAction* TalentEditor = nullptr;
    QAction* CompareWith = nullptr;
    QAction* BlpConverter = nullptr;
    // "&Editor", never shown
    QMenu* Editor = nullptr;
    QAction* EditorItems = nullptr;
    QAction* EditorCreatures = nullptr;
    QAction* EditorGameObjects = nullptr;
    QAction* EditorQuests = nullptr;
    // "&Help"
    QAction* About = nullptr;

    // The grid's pop-up menu
    QMenu* Popup = nullptr;
    QAction* PopupPatchExportAll = nullptr;
    QAction* PopupPatchExportRow = nullptr;
    QAction* PopupPatchExportCell = nullptr;
    QAction* PopupQueueAddCell = nullptr;
    QAction* PopupQueueAddRow = nullptr;
    QAction* PopupQueueClear = nullptr;
    QAction* PopupQueueShow = nullptr;
    QAction* PopupQueueExport = nullptr;
    QAction* PopupAddRow = nullptr;
    QAction* PopupDeleteRow = nullptr;
};

// Builds both menus on the window, with the entries' initial enabled, checked and shown states.
MainMenus BuildMainMenus(QMainWindow& window);

}  // namespace kelvane

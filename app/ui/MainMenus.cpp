#include "app/ui/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kelvane {
namespace {

QAction* AddEntry(QMenu* menu, const char* caption, const char* componentName,
                  const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(componentName));
    action->setShortcut(shortcut);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* caption, const char* componentName) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(componentName));
    return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* caption, const char* componentName) {
    QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(componentName));
    menu->menuAction()->setObjectName(QString::fromLatin1(componentName) + "Item");
    return menu;
}

void BuildFileMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* file = AddMenu(bar, "&File", "File1");
    menus.NewTable = AddEntry(file, "&New", "MenuItemNewTable");
    menus.OpenDbc = AddEntry(file, "&Open *.dbc", "MenuItemOpenDbc", QKeySequence("Ctrl+O"));
    menus.ReloadLastFile =
        AddEntry(file, "&Reload", "MenuItemReloadLastFile", QKeySequence("Ctrl+R"));
    menus.Save = AddEntry(file, "&Save", "MenuItemSave", QKeySequence("Ctrl+S"));
    menus.SaveAs = AddEntry(file, "Save &as...", "MenuItemSaveas");
    file->addSeparator();
    menus.RecentFiles = AddSubmenu(file, "Recent &files", "MenuRecentFiles");
    file->addSeparator();
    menus.Exit = AddEntry(file, "E&xit", "Exit1");
    menus.ReloadLastFile->setEnabled(false);
    menus.Save->setEnabled(false);
    menus.SaveAs->setEnabled(false);
}

void AddClipboardAndCellPaneEntries(QMenu* edit, QMenu* view, MainMenus& menus) {
    edit->addSeparator();
    menus.Copy = AddEntry(edit, "&Copy", "MenuItemCopy", QKeySequence::Copy);
    menus.CopyWithHeaders = AddEntry(edit, "Copy with &headers", "MenuItemCopyWithHeaders",
                                     QKeySequence("Ctrl+Shift+C"));
    menus.Paste = AddEntry(edit, "&Paste", "MenuItemPaste", QKeySequence::Paste);
    menus.CellPane = AddEntry(view, "&Cell pane", "MenuItemCellPane");
    menus.CellPane->setCheckable(true);
}

void BuildEditViewOptionsMenus(QMenuBar* bar, MainMenus& menus) {
    QMenu* edit = AddMenu(bar, "E&dit", "Edit1");
    menus.Undo = AddEntry(edit, "&Undo", "MenuItemUndo", QKeySequence("Ctrl+Z"));
    menus.Redo = AddEntry(edit, "&Redo", "MenuItemRedo");
    menus.Redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    menus.Undo->setEnabled(false);
    menus.Redo->setEnabled(false);
    edit->addSeparator();
    menus.Fields = AddEntry(edit, "Fields...", "MenuItemFields");
    edit->addSeparator();
    menus.EmptyTable = AddEntry(edit, "Empty table", "MenuItemEmptytable");
    edit->addSeparator();
    menus.GoTo = AddEntry(edit, "&Go to...", "MenuItemGoTo", QKeySequence("Ctrl+G"));

    QMenu* view = AddMenu(bar, "&View", "View1");
    menus.Find = AddEntry(view, "&Find", "Find1", QKeySequence("Ctrl+F"));
    menus.FindNext = AddEntry(view, "Find &Next", "FindNext1", QKeySequence(Qt::Key_F3));
    view->addSeparator();
    menus.Notes = AddEntry(view, "Notes", "NotesForm1");
    AddClipboardAndCellPaneEntries(edit, view, menus);

    QMenu* options = AddMenu(bar, "&Options", "Options1");
    menus.AutoReloadOnFieldsChange =
        AddEntry(options, "Auto reload on fields change", "MenuItemAutoreloadonfieldschange");
    menus.AutoReloadOnFieldsChange->setCheckable(true);
    menus.AutoReloadOnFieldsChange->setChecked(true);
    options->addSeparator();
    menus.DefinitionsFolder =
        AddEntry(options, "&Definitions folder...", "MenuItemDefinitionsFolder");
    menus.ClientBuild = AddEntry(options, "Client &build...", "MenuItemClientBuild");
}

void BuildImportMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* import = AddMenu(bar, "&Import", "Import1");
    menus.ImportPatch =
        AddEntry(import, "Import from Patchwell's format", "ImportfromPatchwellsformat1");
    menus.ImportCsv = AddEntry(import, "Comma-separated text (CSV)...", "MenuItemImportCsv");
    import->addSeparator()->setObjectName(QStringLiteral("N1"));
    menus.ImportScp = AddEntry(import, "Import from *.scp", "MenuItemImportfromscp");
    menus.ImportLootTemplates =
        AddEntry(import, "Import loottemplates", "MenuItemImportloottemplates");
    menus.ImportWorldSave = AddEntry(import, "Import world.save", "MenuItemImportworldsave");
    menus.ImportQuests = AddEntry(import, "Import quests.tt", "MenuItemImportqueststt");
    menus.ImportPageText = AddEntry(import, "Import itempages.tt", "MenuItemImportPageText");
    import->addSeparator();
    menus.ImportSqlite = AddEntry(import, "From SQLite database...", "MenuItemImportSqlite");
    menus.ImportSqlite->setEnabled(false);
}

void BuildExportMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* exportMenu = AddMenu(bar, "E&xport", "Export1");
    QMenu* other = AddSubmenu(exportMenu, "Other", "Other1");
    menus.ExportEverything = AddEntry(other, "Export &everything to...", "MenuItemExporttotxt");
    menus.ExportSelectedLine =
        AddEntry(other, "Export selected &line to csv", "Exportselectedline");
    menus.ExportEverything->setEnabled(false);
    menus.ExportSelectedLine->setEnabled(false);
    menus.MysqlDump = AddEntry(exportMenu, "&MySQL dump...", "MysqlDump1");
    menus.MysqlDump->setEnabled(false);
    menus.ExportSqlite = AddEntry(exportMenu, "&SQLite database...", "MenuItemExportSqlite");
    menus.ExportSqlite->setEnabled(false);

    menus.ExportForPatchwell =
        AddSubmenu(exportMenu, "Export for &Patchwell", "ExportforPatchwell1");
    menus.PatchExportAll = AddEntry(menus.ExportForPatchwell, "Export &All", "Exportall1");
    menus.PatchExportRow = AddEntry(menus.ExportForPatchwell, "Export &Row", "ExportRow1");
    menus.PatchExportCell = AddEntry(menus.ExportForPatchwell, "Export &Cell", "ExportCell1");
    menus.ExportForPatchwell->menuAction()->setEnabled(false);

    QMenu* queue = AddSubmenu(exportMenu, "Export Queue", "ExportQueue1");
    QMenu* addToQueue = AddSubmenu(queue, "Add to queue", "Addtoqueue1");
    menus.QueueAddRow = AddEntry(addToQueue, "Row", "Row2");
    menus.QueueAddCell = AddEntry(addToQueue, "Cell", "Cell2");
    menus.QueueShow = AddEntry(queue, "Show Queue", "ShowQueue1");
    menus.QueueClear = AddEntry(queue, "Clear Queue", "ClearQueue2");
    menus.QueueExport = AddEntry(queue, "Export to File", "ExporttoFile1");
}

void BuildToolsEditorHelpMenus(QMenuBar* bar, MainMenus& menus) {
    QMenu* tools = AddMenu(bar, "Tools", "Tools1");
    menus.TalentEditor = AddEntry(tools, "Talent Editor", "alentEditor1");
    menus.CompareWith = AddEntry(tools, "Compare with...", "CompareWith1");
    menus.CompareWith->setEnabled(false);
    menus.BlpConverter = AddEntry(tools, "BLP Converter", "BLPConverter1");
    menus.BlpConverter->setVisible(false);

    menus.Editor = AddMenu(bar, "&Editor", "Editor1");
    menus.EditorItems = AddEntry(menus.Editor, "&Items", "Items1");
    menus.EditorCreatures = AddEntry(menus.Editor, "&Creatures", "Creatures1");
    menus.EditorGameObjects = AddEntry(menus.Editor, "&GO's", "GOs1");
    menus.EditorQuests = AddEntry(menus.Editor, "&Quests", "LootTemplates1");
    menus.Editor->addSeparator();
    QMenu* editorOptions = AddSubmenu(menus.Editor, "&Options", "Options2");
    AddEntry(editorOptions, "Generate updated &Item.dat file", "GenerateupdatedItemdatfile1");
    AddEntry(editorOptions, "Generate updated &Creature.dat file",
             "GenerateupdatedCreaturedatfile1");
    AddEntry(editorOptions, "Generate updated &GO.dat file", "GenerateupdatedGOdatfile1");
    menus.Editor->menuAction()->setVisible(false);

    QMenu* help = AddMenu(bar, "&Help", "Help1");
    menus.About = AddEntry(help, "&About", "About1");
}

void BuildPopupMenu(QMainWindow& window, MainMenus& menus) {
    menus.Popup = new QMenu(&window);
    menus.Popup->setObjectName("PopupMenu2");
    QMenu* patch = AddSubmenu(menus.Popup, "Export to Patchwell", "ExporttoPatchwell1");
    menus.PopupPatchExportAll = AddEntry(patch, "Export All", "ExportAll2");
    menus.PopupPatchExportRow = AddEntry(patch, "Export Row", "ExportRow2");
    menus.PopupPatchExportCell = AddEntry(patch, "Export Cell", "ExportCell2");
    menus.Popup->addSeparator();
    QMenu* queue = AddSubmenu(menus.Popup, "Add to export queue", "Addtoexportqueue1");
    menus.PopupQueueAddCell = AddEntry(queue, "Cell", "Cell1");
    menus.PopupQueueAddRow = AddEntry(queue, "Row", "Row1");
    menus.PopupQueueClear = AddEntry(menus.Popup, "Clear Queue", "ClearQueue1");
    menus.PopupQueueShow = AddEntry(menus.Popup, "Show Export Queue", "ShowExportQueue1");
    menus.PopupQueueExport = AddEntry(menus.Popup, "Export from Queue", "ExportfromQueue1");
    menus.Popup->addSeparator();
    menus.PopupAddRow = AddEntry(menus.Popup, "Add row", "Addrow1");
    menus.PopupDeleteRow = AddEntry(menus.Popup, "Delete Row", "DeleteRow1");
}

}  // namespace

MainMenus BuildMainMenus(QMainWindow& window) {
    MainMenus menus;
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenu1");
    BuildFileMenu(bar, menus);
    BuildEditViewOptionsMenus(bar, menus);
    BuildImportMenu(bar, menus);
    BuildExportMenu(bar, menus);
    BuildToolsEditorHelpMenus(bar, menus);
    BuildPopupMenu(window, menus);
    return menus;
}

}  // namespace kelvane

#include "program/ImportMenuWiring.h"

#include "app/ImportCommands.h"
#include "app/ui/MainWindow.h"

namespace kelvane {

void ConnectImportMenus(MainWindow& window, ImportCommands& commands) {
    const MainMenus& menus = window.Menus();
    const auto importRecords = [&window, &commands](QAction* entry, ScriptImport kind) {
        window.ConnectCommand({entry}, [&commands, kind] { commands.ImportRecords(kind); });
    };
    importRecords(menus.ImportScp, ScriptImport::Scp);
    importRecords(menus.ImportWorldSave, ScriptImport::WorldSave);
    importRecords(menus.ImportQuests, ScriptImport::Quests);
    importRecords(menus.ImportPageText, ScriptImport::ItemPages);
    window.ConnectCommand({menus.ImportLootTemplates},
                          [&commands] { commands.ImportLootTemplates(); });
}

}  // namespace kelvane

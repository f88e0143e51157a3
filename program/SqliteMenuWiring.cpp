#include "program/SqliteMenuWiring.h"

#include "app/SqliteCommands.h"
#include "app/ui/MainWindow.h"

namespace kelvane {

void ConnectSqliteMenus(MainWindow& window, SqliteCommands& commands) {
    const MainMenus& menus = window.Menus();
    window.ConnectCommand({menus.ExportSqlite}, [&commands] { commands.ExportDatabase(); });
    window.ConnectCommand({menus.ImportSqlite}, [&commands] { commands.ImportDatabase(); });
}

}  // namespace kelvane

#include "program/SqlDumpMenuWiring.h"

#include "app/SqlDumpCommands.h"
#include "app/ui/MainWindow.h"

namespace kelvane {

void ConnectSqlDumpMenu(MainWindow& window, SqlDumpCommands& commands) {
    window.ConnectCommand({window.Menus().MysqlDump}, [&commands] { commands.ExportMysqlDump(); });
}

}  // namespace kelvane

#pragma once

namespace kelvane {

class MainWindow;
class SqliteCommands;

// Connects "E&xport" > "SQLite database..." and "&Import" > "From SQLite database..." to their
// commands.
void ConnectSqliteMenus(MainWindow& mainWindow, SqliteCommands& commands);

}  // namespace kelvane

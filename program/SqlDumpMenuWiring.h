#pragma once

namespace kelvane {

class MainWindow;
class SqlDumpCommands;

// Connects the main window's "Export" > "MySQL dump..." to its command.
void ConnectSqlDumpMenu(MainWindow& mainWindow, SqlDumpCommands& commands);

}  // namespace kelvane

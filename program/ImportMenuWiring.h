#pragma once

namespace kelvane {

class ImportCommands;
class MainWindow;

// Connects the "&Import" menu's script imports to their commands.
void ConnectImportMenus(MainWindow& mainWindow, ImportCommands& commands);

}  // namespace kelvane

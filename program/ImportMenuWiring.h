#pragma once

namespace kelvane {

class ImportCommands;
class TForm1;

// Connects the "&Import" menu's script imports to their commands.
void ConnectImportMenus(TForm1& mainWindow, ImportCommands& commands);

}  // namespace kelvane

#pragma once

namespace kelvane {

class EditorSession;
class ExchangeCommands;
class ExportQueueWindow;
class MainWindow;
class NotesWindow;

// Connects the main window's export, import, export queue and notes entries (main menu and
// grid pop-up menu alike) to their commands and windows.
void ConnectExchangeMenus(MainWindow& mainWindow, EditorSession& session,
                          ExchangeCommands& commands, ExportQueueWindow& queue, NotesWindow& notes);

}  // namespace kelvane

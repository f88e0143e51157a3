#pragma once

namespace kelvane {

class EditorSession;
class ExchangeCommands;
class MainWindow;
class TNotesForm;
class TQueueForm;

// Connects the main window's export, import, export queue and notes entries (main menu and
// grid pop-up menu alike) to their commands and windows.
void ConnectExchangeMenus(MainWindow& mainWindow, EditorSession& session,
                          ExchangeCommands& commands, TQueueForm& queue, TNotesForm& notes);

}  // namespace kelvane

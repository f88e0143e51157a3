#pragma once

namespace kelvane {

class EditorSession;
class ExchangeCommands;
class TForm1;
class TNotesForm;
class TQueueForm;

// Connects the main window's export, import, export queue and notes entries (main menu and
// grid pop-up menu alike) to their commands and windows.
void ConnectExchangeMenus(TForm1& mainWindow, EditorSession& session, ExchangeCommands& commands,
                          TQueueForm& queue, TNotesForm& notes);

}  // namespace kelvane

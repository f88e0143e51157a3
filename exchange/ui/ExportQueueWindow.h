#pragma once

#include <string>

#include "exchange/ui/MemoToolWindow.h"

namespace kelvane {

// "Export Queue": patch lines collected one at a time from any table opened during the run,
// kept as a text the user may edit, and written to one file for the patch tool.
class ExportQueueWindow : public MemoToolWindow {
    Q_OBJECT

  public:
    ExportQueueWindow(UserDialogs& dialogs, QWidget* parent);

    // Appends the line as the new last line of the queue.
    void AddLine(const std::string& line);
    // Empties the queue at once, without asking.
    void Clear();
    // Asks for a file and writes the queue as it stands, the user's edits included; the queue
    // stays. Failures are thrown for the caller's command guard.
    void ExportToFile();
    void ShowQueue() { ShowInFront(); }

  signals:
    // The queue's lines were written to the file at path.
    void exported(int lines, const std::string& path);
};

}  // namespace kelvane

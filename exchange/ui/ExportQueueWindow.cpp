#include "exchange/ui/ExportQueueWindow.h"

#include <QPlainTextEdit>

#include "core/files/TextFile.h"
#include "exchange/PatchSaveRequest.h"
#include "exchange/ui/MemoLines.h"
#include "shell/UserDialogs.h"

namespace kelvane {

ExportQueueWindow::ExportQueueWindow(UserDialogs& dialogs, QWidget* parent)
    : MemoToolWindow("QueueForm", "Export Queue", dialogs, parent) {
    AddPanelButton("SpeedButton2", "Clear", [this] { Clear(); });
    AddPanelButton("SpeedButton1", "Export to file ", [this] { ExportToFile(); });
}

void ExportQueueWindow::AddLine(const std::string& line) {
    AppendMemoLine(Memo(), line);
}

void ExportQueueWindow::Clear() {
    Memo().clear();
}

void ExportQueueWindow::ExportToFile() {
    if (const auto path = Dialogs().ChooseSaveFile(PatchSaveRequest())) {
        const std::vector<std::string> lines = MemoLines(Memo());
        WriteTextLines(*path, lines);
        emit exported(static_cast<int>(lines.size()), *path);
    }
}

}  // namespace kelvane

#include "exchange/ui/TQueueForm.h"

#include <QPlainTextEdit>

#include "core/TextFile.h"
#include "exchange/PatchSaveRequest.h"
#include "exchange/ui/MemoLines.h"
#include "shell/UserDialogs.h"

namespace kelvane {

TQueueForm::TQueueForm(UserDialogs& dialogs, QWidget* parent)
    : MemoToolWindow("QueueForm", "Export Queue", dialogs, parent) {
    AddPanelButton("SpeedButton2", "Clear", [this] { Clear(); });
    AddPanelButton("SpeedButton1", "Export to file ", [this] { ExportToFile(); });
}

void TQueueForm::AddLine(const std::string& line) {
    AppendMemoLine(Memo(), line);
}

void TQueueForm::Clear() {
    Memo().clear();
}

void TQueueForm::ExportToFile() {
    if (const auto path = Dialogs().ChooseSaveFile(PatchSaveRequest())) {
        WriteTextLines(*path, MemoLines(Memo()));
    }
}

}  // namespace kelvane

#include "exchange/ui/NotesWindow.h"

#include <QPlainTextEdit>
#include <string>
#include <utility>

#include "core/files/TextFile.h"
#include "exchange/ui/MemoLines.h"
#include "shell/UserDialogs.h"

namespace kelvane {
namespace {

FileDialogRequest NoteFileRequest(std::string title) {
    return {.Title = std::move(title),
            .Filters = {{"Text File(*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}},
            .DefaultExtension = "txt",
            .FileName = "",
            .ConfirmOverwrite = true};
}

}  // namespace

NotesWindow::NotesWindow(UserDialogs& dialogs, QWidget* parent)
    : MemoToolWindow("NotesForm", "Notes window", dialogs, parent) {
    AddPanelButton("SpeedButton1", "Open", [this] { OpenClicked(); });
    AddPanelButton("SpeedButton2", "Save", [this] { SaveClicked(); });

    // Lines stay whole, as they are in the file; the memo scrolls both ways instead.
    Memo().setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo().setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo().setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void NotesWindow::OpenClicked() {
    if (const auto path = Dialogs().ChooseOpenFile(NoteFileRequest("Open Note"))) {
        // Read in full before the memo changes, so a file that fails leaves the notes.
        SetMemoLines(Memo(), ReadTextLines(*path, NamedBy::User));
    }
}

void NotesWindow::SaveClicked() {
    FileDialogRequest request = NoteFileRequest("Save Note");
    // A scratch text: saving replaces the file without asking.
    request.ConfirmOverwrite = false;
    if (const auto path = Dialogs().ChooseSaveFile(request)) {
        WriteTextLines(*path, MemoLines(Memo()));
    }
}

}  // namespace kelvane

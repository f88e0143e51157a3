#pragma once

#include "exchange/ui/MemoToolWindow.h"

namespace kelvane {

// "Notes window": a free scratch text beside the tables, loaded from and saved to text files.
class NotesWindow : public MemoToolWindow {
    Q_OBJECT

  public:
    NotesWindow(UserDialogs& dialogs, QWidget* parent);

    void ShowNotes() { ShowInFront(); }

  private:
    // "Open": the chosen file's lines replace the notes.
    void OpenClicked();
    // "Save": the notes replace the chosen file, without asking.
    void SaveClicked();
};

}  // namespace kelvane

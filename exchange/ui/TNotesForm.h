#pragma once

#include "exchange/ui/MemoToolWindow.h"

namespace kelvane {

// "Notes window": a free scratch text beside the tables, loaded from and saved to text files.
class TNotesForm : public MemoToolWindow {
    Q_OBJECT

  public:
    TNotesForm(UserDialogs& dialogs, QWidget* parent);

    void ShowNotes() { ShowInFront(); }

  private:
    // "Open": the chosen file's lines replace the notes.
    void SpeedButton1Click();
    // "Save": the notes replace the chosen file, without asking.
    void SpeedButton2Click();
};

}  // namespace kelvane

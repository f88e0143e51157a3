#pragma once

#include "editors/ui/EditorWindow.h"

class QLineEdit;

namespace kelvane {

class PickListCombo;
class RadioGroup;

// A small window that looks for the next entry of another window's pick list holding a text,
// forward or backward from the entry selected there, and selects the entry it finds.
class ListSearchWindow : public EditorWindow {
    Q_OBJECT

  protected:
    ListSearchWindow(const char* objectName, const char* caption, PickListCombo& searched,
                     QWidget* parent);

  private:
    void FindNextClicked();

    PickListCombo& searched_;
    QLineEdit* text_;
    RadioGroup* direction_;
};

}  // namespace kelvane

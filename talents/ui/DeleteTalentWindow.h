#pragma once

#include <QWidget>

class QLineEdit;

namespace kelvane {

class TalentEditor;
class UserDialogs;

// The talent editor's "Delete Talent" window: asks for the ID of the talent to delete. The
// field keeps its text from one use to the next.
class DeleteTalentWindow : public QWidget {
    Q_OBJECT

  public:
    DeleteTalentWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent);

    // Shows the window without blocking, or brings it forward when visible.
    void ShowInFront();

  private:
    void DeleteClicked();

    TalentEditor& editor_;
    UserDialogs& dialogs_;
    QLineEdit* id_;
};

}  // namespace kelvane

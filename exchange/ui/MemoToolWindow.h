#pragma once

#include <QWidget>
#include <functional>

class QHBoxLayout;
class QPlainTextEdit;

namespace kelvane {

class UserDialogs;

// A tool window of the main window that holds one text: a top panel of flat buttons and the
// memo Memo1 filling the rest. It is created once and lives for the whole run, so closing it
// only hides it and the text stays.
class MemoToolWindow : public QWidget {
    Q_OBJECT

  protected:
    MemoToolWindow(const char* objectName, const char* caption, UserDialogs& dialogs,
                   QWidget* parent);

    // Adds a flat button to the right of those already on the panel. A click runs action
    // guarded: a failure is shown to the user and the window goes on.
    void AddPanelButton(const char* objectName, const char* caption, std::function<void()> action);
    QPlainTextEdit& Memo() const { return *memo_; }
    UserDialogs& Dialogs() const { return dialogs_; }
    // Shows the window without blocking the main window, or brings it forward when visible.
    void ShowInFront();

  private:
    UserDialogs& dialogs_;
    QHBoxLayout* panelLayout_;
    QPlainTextEdit* memo_;
};

}  // namespace kelvane

#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "talents/TalentSlots.h"

class QComboBox;
class QLineEdit;
class QShowEvent;
class QTabBar;
class QToolButton;

namespace kelvane {

class TalentEditor;
class TalentSlotCell;
class UserDialogs;

// "Talents Editor": the talent tree of one class, one tab at a time, on 7 rows of 4 slots. The
// window keeps no state of its own: it forwards the user's actions to the editor and redraws
// from the editor's state after each of them.
class TalentTreeWindow : public QWidget {
    Q_OBJECT

  public:
    TalentTreeWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent);

    // Shows the window without blocking the main window, or brings it forward when visible.
    void ShowInFront();
    // Redraws the selections, the tab name and the slots from the editor.
    void ShowEditorState();

  signals:
    // "Delete Talent": the window that asks for the talent's ID is to be shown.
    void DeleteTalentRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildClassBar();
    QWidget* BuildTabControl();
    QWidget* BuildSlotRow(int row, QWidget* parent);
    QWidget* BuildTabButtons(QWidget* parent);
    QToolButton* AddButton(const char* name, const char* caption, QWidget* parent);
    // Keeps the window within the height of its owner's screen and centres it there.
    void FitOnScreen();
    void LoadOrClose();
    // Runs one user action guarded, then redraws whatever it changed.
    void Run(const std::function<void()>& action);

    TalentEditor& editor_;
    UserDialogs& dialogs_;
    QComboBox* classes_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLineEdit* tabName_ = nullptr;
    std::array<TalentSlotCell*, SlotCount> cells_{};
};

}  // namespace kelvane

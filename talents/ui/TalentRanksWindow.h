#pragma once

#include <QWidget>
#include <array>

#include "talents/TalentCells.h"

class QCloseEvent;
class QLineEdit;

namespace kelvane {

class TalentEditor;
class UserDialogs;

// "Ranks": the five rank values of the slot the editor last bound it to. The editor decides
// when it appears and goes; the user ends it with the window's close control, which stores the
// values into the slot's talent row.
class TalentRanksWindow : public QWidget {
    Q_OBJECT

  public:
    TalentRanksWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowRanks();

    TalentEditor& editor_;
    UserDialogs& dialogs_;
    std::array<QLineEdit*, RankCount> fields_{};
};

}  // namespace kelvane

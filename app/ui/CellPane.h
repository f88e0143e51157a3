#pragma once

#include <QDockWidget>
#include <functional>

#include "core/RecordId.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvane {

class DbGrid;
class RecordTableModel;

// The dockable "Cell" pane: the grid's current cell in full, following the current cell and
// every change of the table. A text shows all its lines with CR and LF as symbols and its
// length; a number also shows its other readings (see CellFacts). The value can be edited
// here and applied with Apply or Ctrl+Return as one undo step, checked as typing into the grid
// is; a line break typed here becomes the cell's own kind (CR LF unless the text holds only
// LF breaks).
class CellPane : public QDockWidget {
    Q_OBJECT

  public:
    // runCommand runs a user command as the window runs its menu commands, showing a refusal.
    using CommandRunner = std::function<void(const std::function<void()>&)>;

    CellPane(DbGrid& grid, RecordTableModel& model, CommandRunner runCommand,
             QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // A paste or an import changes many records one after another: the pane catches up once,
    // when they are done.
    void ShowCurrentCellSoon();
    void ShowCurrentCell();
    void ShowNoCell();
    void Apply();

    DbGrid& grid_;
    RecordTableModel& model_;
    CommandRunner runCommand_;
    QLabel* title_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* facts_ = nullptr;
    QPushButton* apply_ = nullptr;
    RecordId record_;
    int column_ = -1;
    QString lineEnd_;
    bool showPending_ = false;
};

}  // namespace kelvane

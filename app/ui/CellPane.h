#pragma once

#include <QDockWidget>

#include "core/table/RecordId.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvane {

class DbGrid;
class RecordTableModel;
class UserDialogs;

// The dockable "Cell" pane: the grid's current cell in full, following the current cell and
// every change of the table. A text shows all its lines with CR and LF as symbols and its
// length; a number also shows its other readings (see CellFacts). The value can be edited
// here and applied with Apply or Ctrl+Return as one undo step, checked as typing into the grid
// is; a line break typed here becomes the cell's own kind (CR LF unless the text holds only
// LF breaks). Typed text is never dropped: it is applied when the grid moves to another cell
// (a refused value takes the grid back to its cell), and Escape takes it back.
class CellPane : public QDockWidget {
    Q_OBJECT

  public:
    CellPane(DbGrid& grid, RecordTableModel& model, UserDialogs& dialogs,
             QWidget* parent = nullptr);

    // Whether the pane holds text typed since it showed its cell.
    bool HoldsTypedText() const;
    // Stores the typed text in the pane's cell; the current record stays current. A refused
    // value is shown to the user and stays in the pane: returns false.
    bool CommitTypedText();

  signals:
    // The pane started or stopped holding typed text.
    void typedTextChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // A paste or an import changes many records one after another: the pane catches up once,
    // when they are done.
    void ShowCurrentCellSoon();
    void ShowCurrentCell();
    void ShowCell(int row, int column);
    void ShowNoCell();
    // Whether the grid's current cell is the one the pane holds typed text for.
    bool OnTypedCell(int row, int column) const;
    void ReturnToTypedCell();
    void Revert();

    DbGrid& grid_;
    RecordTableModel& model_;
    UserDialogs& dialogs_;
    QLabel* title_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* facts_ = nullptr;
    QPushButton* apply_ = nullptr;
    RecordId record_;
    int column_ = -1;
    QString lineEnd_;
    bool showPending_ = false;
    // The pane moves the table itself (storing its text, or going back to its cell), and does
    // not follow those moves.
    bool movingItself_ = false;
};

}  // namespace kelvane

#pragma once

#include <QTableView>
#include <functional>
#include <vector>

#include "app/CellEntry.h"

namespace kelvane {

class FilterHeader;
class RecordTable;
class RecordTableModel;
class RecordViewModel;
class UserDialogs;

// The main window's data grid: the records shown (sorted by a title click, filtered by the
// fields under the titles) with in-place editing. A grid row is a row of the shown records,
// not of the table. The view and the table keep one current record: moving the view's current row
// moves the table's cursor (posting or cancelling the record left), and every move of the table's
// cursor moves the view. Insert inserts a record at the current one and Ctrl+Delete deletes after
// asking. A right click asks for the owner's pop-up menu through customContextMenuRequested, with
// the position in viewport coordinates. A rectangle of cells can be selected (drag, or Shift with
// a click or the keys), copied to the clipboard as tab-separated text and pasted over.
class DbGrid : public QTableView {
    Q_OBJECT

  public:
    static constexpr int RowHeight = 17;
    // Captions wrap onto a second line, such as "EffectPointsPerComboPoint[1] (float)" in a
    // column of the default width; a caption too long even for two lines has its tooltip.
    static constexpr int TitleLines = 2;
    static constexpr int DefaultColumnWidth = 80;
    static constexpr int MaxCaptionColumnWidth = 200;
    static constexpr int MaxColumnWidth = 300;
    // Records measured for the columns' widths: the first ones, which the user sees first, and
    // as many spread over the rest, so a table of any size opens equally fast.
    static constexpr int WidthSampleRecords = 100;

    DbGrid(RecordTableModel& model, UserDialogs& dialogs, QWidget* parent = nullptr);

    using QTableView::edit;

    RecordViewModel& ViewModel() const { return *view_; }
    // The table row a grid row shows, and the grid row showing a table row; -1 when the
    // record is not shown.
    int TableRowOf(int gridRow) const;
    int GridRowOf(int tableRow) const;

    // Hands a value still being typed into a cell to the table and closes the cell's editor;
    // returns false when the value was refused, which the user has then been told.
    bool CommitEdit();

    // Puts the selected cells on the clipboard as tab-separated text of what they show, the
    // captions first if asked.
    void CopySelection(bool withCaptions) const;
    // Enters the clipboard's tab-separated text from the current cell rightwards and downwards
    // as one undo step, then selects the cells it went into. Fails, changing nothing, when a
    // value is refused or progress stops the paste.
    CellEntryOutcome PasteClipboard(const WorkProgress& progress = {});

    // The width the user chose for a column earlier, 0 when none; it wins over the width the
    // grid measures.
    void SetKeptWidths(std::function<int(int column)> keptWidth);

  signals:
    // A mouse button went down on the grid, its titles included. column is the grid column
    // the press makes current (on a title, the current one), Index counting as 0; sent before
    // the grid acts on the press.
    void columnPressed(int column);
    // The user dragged a column to a new width.
    void columnWidthChosen(int column, int width);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    RecordTable& Table() const;
    int CurrentColumn() const;
    // Puts the view's current cell on the table's current record, keeping the column.
    void KeepOnTableRow();
    // Moves the view one cell on; returns that cell when the view got there, which a refused
    // post or a record placed elsewhere by its Index can prevent.
    QModelIndex StepToCell(CursorAction action);
    void FollowReset();
    void ApplyColumnWidths();
    // Wide enough for the caption (within bounds) and the widest of a sample of the values.
    int MeasuredColumnWidth(int column, const std::vector<int>& sampleRows) const;
    std::vector<int> WidthSampleRows() const;
    // A sort or filter rebuilds the rows, which scrolls to the current cell: the columns that
    // were in sight come back, the current cell kept in sight.
    void ScrollBackTo(int shownX);
    void SortByColumn(int column);
    void ApplyFilter(int column, const QString& text);
    // The titles' arrow and the filter fields show the sort and filters in force.
    void ShowViewSettings();
    void FitRowHeaderWidth();

    RecordTableModel& model_;
    UserDialogs& dialogs_;
    std::function<int(int column)> keptWidth_;
    bool applyingWidths_ = false;
    RecordViewModel* view_ = nullptr;
    FilterHeader* titles_ = nullptr;
    // The column count and the current column when a reset of the shown records was announced;
    // -1 once the reset is followed.
    int columnsBeforeReset_ = -1;
    int columnBeforeReset_ = 0;
};

}  // namespace kelvane

#include "app/ui/DbGrid.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <numeric>
#include <string>

#include "app/CellCopy.h"
#include "app/CellEntry.h"
#include "app/DeleteRecordAfterAsking.h"
#include "app/ui/CellEditDelegate.h"
#include "app/ui/FilterHeader.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/RecordViewModel.h"
#include "core/base/KelvaneError.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// The row header holds the record's number and, on the current record, its mark and a blank.
constexpr int kIndicatorChars = 2;
// Room for the cell's margins and the focus frame around the widest text.
constexpr int kCellPadding = 12;

bool IsEnterKey(int key) {
    return key == Qt::Key_Enter || key == Qt::Key_Return;
}

}  // namespace

DbGrid::DbGrid(RecordTableModel& model, UserDialogs& dialogs, QWidget* parent)
    : QTableView(parent),
      model_(model),
      dialogs_(dialogs),
      view_(new RecordViewModel(model, this)),
      titles_(new FilterHeader(this)) {
    setObjectName(QStringLiteral("DBGrid1"));
    // One rectangle at most: what copies as a block and pastes back as one.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Fixed row heights keep the scroll bar's range a multiplication, cheap on any table.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setContextMenuPolicy(Qt::CustomContextMenu);

    // Fixed row heights keep a table of a hundred thousand records as cheap as a small one:
    // the view never measures rows.
    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(RowHeight);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);

    setHorizontalHeader(titles_);
    QHeaderView* titles = titles_;
    titles->setSectionsClickable(true);
    const int titleMargins =
        2 * titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles);
    titles->setFixedHeight(TitleLines * titles->fontMetrics().lineSpacing() + titleMargins +
                           FilterHeader::FilterRowHeight);
    // The header passes the word-wrap flag on to the style with its alignment.
    titles->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment::fromInt(Qt::TextWordWrap));
    titles->setTextElideMode(Qt::ElideNone);
    titles->setDefaultSectionSize(DefaultColumnWidth);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);

    rows->viewport()->installEventFilter(this);
    titles->viewport()->installEventFilter(this);

    setItemDelegate(new CellEditDelegate(model.Table(), this));
    setModel(view_);
    FollowReset();
    // Connected after the view's own handlers, the selection model's included, so the current
    // cell set here is not cleared again.
    connect(view_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        columnsBeforeReset_ = view_->columnCount();
        columnBeforeReset_ = CurrentColumn();
    });
    connect(view_, &QAbstractItemModel::modelReset, this, &DbGrid::FollowReset);
    connect(view_, &QAbstractItemModel::rowsInserted, this, &DbGrid::FitRowHeaderWidth);
    connect(view_, &RecordViewModel::tableChangeShown, this, &DbGrid::KeepOnTableRow);
    connect(titles_, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!applyingWidths_) {
            emit columnWidthChosen(column, width);
        }
    });
    // A posted record moves to its place by Index, perhaps far off: the view goes with it.
    connect(view_, &QAbstractItemModel::rowsMoved, this, [this] { scrollTo(currentIndex()); });
    // A title click sorts: it must not select the column, which would move the current record
    // to the first row. Qt 6.4 connects the title to the column selection by name, later
    // versions by function.
    disconnect(titles_, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(titles_, SIGNAL(sectionEntered(int)), this, SLOT(_q_selectColumn(int)));
    disconnect(titles_, &QHeaderView::sectionPressed, this, &QTableView::selectColumn);
    connect(titles_, &QHeaderView::sectionClicked, this, &DbGrid::SortByColumn);
    connect(titles_, &FilterHeader::filterEdited, this, &DbGrid::ApplyFilter);
}

RecordTable& DbGrid::Table() const {
    return model_.Table();
}

int DbGrid::TableRowOf(int gridRow) const {
    return view_->TableRowOf(gridRow);
}

int DbGrid::GridRowOf(int tableRow) const {
    return view_->ShownRowOf(tableRow);
}

int DbGrid::CurrentColumn() const {
    return std::max(0, currentIndex().column());
}

void DbGrid::SetKeptWidths(std::function<int(int column)> keptWidth) {
    keptWidth_ = std::move(keptWidth);
}

void DbGrid::FollowReset() {
    ShowViewSettings();
    FitRowHeaderWidth();
    KeepOnTableRow();
    columnsBeforeReset_ = -1;
    // The commands that rebuild a table give its columns their widths right after the table
    // reports the reset, before they return to the event loop.
    QMetaObject::invokeMethod(this, &DbGrid::ApplyColumnWidths, Qt::QueuedConnection);
}

void DbGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex pressed = indexAt(event->position().toPoint());
    emit columnPressed(pressed.isValid() ? pressed.column() : CurrentColumn());
    QTableView::mousePressEvent(event);
    // A refused move leaves the press's selection on a row the table did not go to.
    KeepOnTableRow();
}

bool DbGrid::eventFilter(QObject* watched, QEvent* event) {
    const bool onTitles =
        watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport();
    if (onTitles && event->type() == QEvent::MouseButtonPress) {
        emit columnPressed(CurrentColumn());
    }
    return QTableView::eventFilter(watched, event);
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers().testFlag(Qt::ControlModifier)) {
        RunGuarded(dialogs_, [this] { DeleteRecordAfterAsking(Table(), dialogs_); });
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        RunGuarded(dialogs_, [this] { Table().Insert(); });
        KeepOnTableRow();
        event->accept();
        return;
    }
    if (IsEnterKey(event->key())) {
        StepToCell(MoveNext);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    KeepOnTableRow();
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // Moves the table makes itself (a deleted record, a reset) are followed, not sent back.
    const int row = TableRowOf(current.row());
    if (!current.isValid() || view_->FollowingTable() || row < 0 || row == Table().CurrentRow()) {
        return;
    }
    // Leaving a record posts or cancels it; a refused post shows why and keeps the user there.
    RunGuarded(dialogs_, [this, row] { Table().MoveTo(row); });
    KeepOnTableRow();
}

bool DbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // Only the table's current record takes typing: after a refused move the view may still
    // be asked to edit the row it could not go to.
    if (index.isValid() && TableRowOf(index.row()) != Table().CurrentRow()) {
        return false;
    }
    return QTableView::edit(index, trigger, event);
}

void DbGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (hint != QAbstractItemDelegate::EditNextItem &&
        hint != QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    // Tab and Enter edit the next cell only when the view could go there.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex arrived =
        StepToCell(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious);
    if (arrived.isValid()) {
        edit(arrived);
    }
}

bool DbGrid::CommitEdit() {
    const QModelIndex index = currentIndex();
    auto* editor = qobject_cast<QLineEdit*>(indexWidget(index));
    if (editor == nullptr) {
        return true;
    }
    const bool typed = editor->isModified();
    const QString text = editor->text();
    // Closed before the value goes in: a refusal's message takes the focus, and the editor's
    // own commit on losing it would refuse the value a second time.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    return !typed || view_->setData(index, text);
}

void DbGrid::CopySelection(bool withCaptions) const {
    // The selection's ranges, not its cells: a whole table selected holds millions of cells.
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        return;
    }
    int top = selection.front().top();
    int bottom = selection.front().bottom();
    int left = selection.front().left();
    int right = selection.front().right();
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    std::vector<int> rows;
    for (int gridRow = top; gridRow <= bottom; ++gridRow) {
        rows.push_back(TableRowOf(gridRow));
    }
    const CellTexts texts = CopyCells(Table(), rows, left, right, withCaptions);
    QGuiApplication::clipboard()->setText(ToQt(WriteTabSeparated(texts)));
}

CellEntryOutcome DbGrid::PasteClipboard(const WorkProgress& progress) {
    const CellTexts rows = ReadTabSeparated(FromQt(QGuiApplication::clipboard()->text()));
    if (rows.empty()) {
        throw KelvaneError("The clipboard holds no text to paste.");
    }
    // A record left being edited is stored (or dropped) first, so the rows counted below stay.
    Table().FinishEditing();
    KeepOnTableRow();
    // An empty table takes the text as new records from its first column.
    const QModelIndex start = currentIndex();
    const int startColumn = start.isValid() ? start.column() : 0;
    std::vector<RecordId> records;
    for (int gridRow = start.isValid() ? start.row() : view_->rowCount();
         gridRow < view_->rowCount() && records.size() < rows.size(); ++gridRow) {
        records.push_back(Table().RecordIdAt(TableRowOf(gridRow)));
    }
    const CellEntryOutcome pasted =
        EnterCells(Table(), records, startColumn, rows, "Paste", progress);
    KeepOnTableRow();
    const int firstRow = currentIndex().row();
    const int lastRow = std::min(firstRow + pasted.Rows, view_->rowCount()) - 1;
    selectionModel()->select(
        QItemSelection(view_->index(firstRow, startColumn),
                       view_->index(lastRow, startColumn + pasted.Columns - 1)),
        QItemSelectionModel::ClearAndSelect);
    return pasted;
}

void DbGrid::KeepOnTableRow() {
    const int row = GridRowOf(Table().CurrentRow());
    if (row < 0 || row >= view_->rowCount()) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() != row) {
        // A reset that kept the columns (a paste, an import) keeps the column too.
        const bool sameColumns = columnsBeforeReset_ == view_->columnCount();
        const int column = current.isValid() ? current.column()
                           : sameColumns     ? columnBeforeReset_
                                             : 0;
        selectionModel()->setCurrentIndex(view_->index(row, column),
                                          QItemSelectionModel::ClearAndSelect);
    } else if (!selectionModel()->isSelected(current)) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    }
}

QModelIndex DbGrid::StepToCell(CursorAction action) {
    const QPersistentModelIndex target = moveCursor(action, Qt::NoModifier);
    if (!target.isValid()) {
        return {};
    }
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    return currentIndex() == target ? QModelIndex(target) : QModelIndex();
}

void DbGrid::ScrollBackTo(int shownX) {
    horizontalScrollBar()->setValue(shownX);
    scrollTo(currentIndex());
}

void DbGrid::SortByColumn(int column) {
    if (CommitEdit()) {
        const int shownX = horizontalScrollBar()->value();
        RunGuarded(dialogs_, [this, column] { view_->CycleSort(column); });
        ScrollBackTo(shownX);
    }
    ShowViewSettings();
}

void DbGrid::ApplyFilter(int column, const QString& text) {
    if (CommitEdit()) {
        const int shownX = horizontalScrollBar()->value();
        RunGuarded(dialogs_, [this, column, &text] { view_->SetFilter(column, text); });
        ScrollBackTo(shownX);
    }
    // A refused filter leaves the one in force, which its field shows again.
    ShowViewSettings();
}

void DbGrid::ShowViewSettings() {
    const RecordView& view = view_->View();
    titles_->setSortIndicatorShown(view.Order() != SortOrder::FileOrder);
    titles_->setSortIndicator(view.SortColumn(), view.Order() == SortOrder::Descending
                                                     ? Qt::DescendingOrder
                                                     : Qt::AscendingOrder);
    for (int column = 0; column < view_->columnCount(); ++column) {
        titles_->ShowFilterText(column, ToQt(view.FilterText(column)));
    }
}

// A width kept from the user wins; otherwise a column is made wide enough for its caption, so
// names such as "attributes(hex)" can be read, and for its values, so a ten-digit integer
// is not cut, within bounds that keep a wide table scannable.
void DbGrid::ApplyColumnWidths() {
    const QScopedValueRollback applying(applyingWidths_, true);
    const std::vector<int> sampleRows = WidthSampleRows();
    const int columns = std::min(model_.columnCount(), Table().FieldCount());
    for (int column = 0; column < columns; ++column) {
        const int kept = keptWidth_ ? keptWidth_(column) : 0;
        horizontalHeader()->resizeSection(
            column, kept > 0 ? kept : MeasuredColumnWidth(column, sampleRows));
    }
}

int DbGrid::MeasuredColumnWidth(int column, const std::vector<int>& sampleRows) const {
    const QHeaderView* titles = horizontalHeader();
    const ColumnPresentation& presentation = Table().Presentation(column);
    const int captionPadding =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles) + 4;
    const int captionWidth = std::min(
        QFontMetrics(titles->font()).horizontalAdvance(ToQt(presentation.Caption)) + captionPadding,
        MaxCaptionColumnWidth);
    // Measuring every text would cost more than the load: the longest text stands for the
    // column, as digits are equally wide in the fonts a grid uses.
    std::string longest;
    for (const int row : sampleRows) {
        std::string text = Table().DisplayText(row, column);
        if (text.size() > longest.size()) {
            longest = std::move(text);
        }
    }
    const int valueWidth = fontMetrics().horizontalAdvance(ToQt(longest)) + kCellPadding;
    return std::clamp(std::max({captionWidth, valueWidth, presentation.WidthPixels}),
                      DefaultColumnWidth, MaxColumnWidth);
}

std::vector<int> DbGrid::WidthSampleRows() const {
    const int rows = Table().RowCount();
    const int first = std::min(rows, WidthSampleRecords / 2);
    std::vector<int> sample(static_cast<size_t>(first));
    std::iota(sample.begin(), sample.end(), 0);
    const int spread = WidthSampleRecords - first;
    if (rows > first && spread > 0) {
        const double step = static_cast<double>(rows - first) / spread;
        for (int i = 0; i < spread; ++i) {
            sample.push_back(first + static_cast<int>(i * step));
        }
    }
    return sample;
}

void DbGrid::FitRowHeaderWidth() {
    const auto digits = QString::number(std::max(1, model_.rowCount())).size();
    const QString widest(kIndicatorChars + digits, QLatin1Char('0'));
    QHeaderView* rows = verticalHeader();
    const int margins = 2 * rows->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rows);
    rows->setFixedWidth(rows->fontMetrics().horizontalAdvance(widest) + margins);
}

}  // namespace kelvane

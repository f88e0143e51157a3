#include "app/ui/DbGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

#include "app/DeleteRecordAfterAsking.h"
#include "app/ui/CellEditDelegate.h"
#include "app/ui/FilterHeader.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/RecordViewModel.h"
#include "core/RecordTable.h"
#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// Room beside the record number for the row indicator and the blank after it.
constexpr int kIndicatorDigits = 3;

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
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The wheel and the keys still scroll through the records.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    titles->setFixedHeight(TitleRowHeight + FilterHeader::FilterRowHeight);
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
    connect(view_, &QAbstractItemModel::modelReset, this, &DbGrid::FollowReset);
    connect(view_, &QAbstractItemModel::rowsInserted, this, &DbGrid::FitRowHeaderWidth);
    connect(view_, &RecordViewModel::tableChangeShown, this, &DbGrid::KeepOnTableRow);
    // A posted record moves to its place by Index, perhaps far off: the view goes with it.
    connect(view_, &QAbstractItemModel::rowsMoved, this, [this] { scrollTo(currentIndex()); });
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

void DbGrid::FollowReset() {
    ShowViewSettings();
    FitRowHeaderWidth();
    KeepOnTableRow();
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

void DbGrid::KeepOnTableRow() {
    const int row = GridRowOf(Table().CurrentRow());
    if (row < 0 || row >= view_->rowCount()) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() != row) {
        const int column = current.isValid() ? current.column() : 0;
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

void DbGrid::SortByColumn(int column) {
    if (CommitEdit()) {
        RunGuarded(dialogs_, [this, column] { view_->CycleSort(column); });
    }
    ShowViewSettings();
}

void DbGrid::ApplyFilter(int column, const QString& text) {
    if (CommitEdit()) {
        RunGuarded(dialogs_, [this, column, &text] { view_->SetFilter(column, text); });
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

// Columns without a width of their own are made wide enough for their caption, so names such
// as "attributes(hex)" can be read, within bounds that keep a wide table scannable.
void DbGrid::ApplyColumnWidths() {
    QHeaderView* titles = horizontalHeader();
    const QFontMetrics metrics(titles->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles) + 4;
    const int columns = std::min(model_.columnCount(), Table().FieldCount());
    for (int column = 0; column < columns; ++column) {
        const ColumnPresentation& presentation = Table().Presentation(column);
        int width = presentation.WidthPixels;
        if (width <= 0) {
            const int captionWidth =
                metrics.horizontalAdvance(ToQt(presentation.Caption)) + padding;
            width = std::clamp(captionWidth, DefaultColumnWidth, MaxCaptionColumnWidth);
        }
        titles->resizeSection(column, width);
    }
}

void DbGrid::FitRowHeaderWidth() {
    const int digits = static_cast<int>(QString::number(model_.rowCount()).size());
    const QString widest(digits + kIndicatorDigits, QLatin1Char('0'));
    QHeaderView* rows = verticalHeader();
    const int margins = 2 * rows->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rows);
    rows->setMinimumWidth(rows->fontMetrics().horizontalAdvance(widest) + margins);
    updateGeometries();
}

}  // namespace kelvane

#include "app/ui/CellPane.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <string>

#include "app/CellEntry.h"
#include "app/CellFacts.h"
#include "app/ui/DbGrid.h"
#include "app/ui/LineBreakSymbols.h"
#include "app/ui/RecordTableModel.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"

namespace kelvane {

CellPane::CellPane(DbGrid& grid, RecordTableModel& model, UserDialogs& dialogs, QWidget* parent)
    : QDockWidget(QStringLiteral("Cell"), parent), grid_(grid), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("CellPane"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    title_ = new QLabel(body);
    title_->setObjectName(QStringLiteral("CellPaneTitle"));
    text_ = new QPlainTextEdit(body);
    text_->setObjectName(QStringLiteral("CellPaneText"));
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->installEventFilter(this);
    facts_ = new QLabel(body);
    facts_->setObjectName(QStringLiteral("CellPaneFacts"));
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_ = new QPushButton(QStringLiteral("Apply"), body);
    apply_->setObjectName(QStringLiteral("CellPaneApply"));
    apply_->setToolTip(QStringLiteral("Apply the value to the cell (Ctrl+Return)"));
    layout->addWidget(title_);
    layout->addWidget(text_, 1);
    layout->addWidget(facts_);
    layout->addWidget(apply_, 0, Qt::AlignRight);
    setWidget(body);

    connect(apply_, &QPushButton::clicked, this, &CellPane::CommitTypedText);
    connect(text_->document(), &QTextDocument::modificationChanged, this,
            &CellPane::typedTextChanged);
    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CellPane::ShowCurrentCell);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &CellPane::ShowCurrentCellSoon);
    connect(&model_, &QAbstractItemModel::modelReset, this, &CellPane::ShowCurrentCellSoon);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &CellPane::ShowCurrentCellSoon);
    connect(&model_, &QAbstractItemModel::rowsMoved, this, &CellPane::ShowCurrentCellSoon);
    ShowCurrentCell();
}

bool CellPane::HoldsTypedText() const {
    return column_ >= 0 && text_->document()->isModified();
}

bool CellPane::CommitTypedText() {
    if (!HoldsTypedText()) {
        return true;
    }
    RecordTable& table = model_.Table();
    const std::string value = FromQt(ReadLineBreaks(text_->toPlainText(), lineEnd_));
    const int currentRow = table.CurrentRow();
    const RecordId current = currentRow >= 0 && currentRow < table.RowCount()
                                 ? table.RecordIdAt(currentRow)
                                 : RecordId();
    const QScopedValueRollback<bool> moving(movingItself_, true);
    const bool entered = RunGuarded(dialogs_, [&] {
        EnterCells(table, {record_}, column_, {{value}}, "Edit Cell");
        // The entry ends on the record it changed; the user stays on the record they chose.
        const int row = table.RowOfRecord(current);
        if (row >= 0 && row != table.CurrentRow()) {
            table.MoveTo(row);
        }
    });
    if (entered) {
        text_->document()->setModified(false);
    }
    return entered;
}

bool CellPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers().testFlag(Qt::ControlModifier)) {
            CommitTypedText();
            return true;
        }
        if (key->key() == Qt::Key_Escape && HoldsTypedText()) {
            Revert();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void CellPane::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    ShowCurrentCell();
}

void CellPane::ShowCurrentCellSoon() {
    if (!showPending_ && isVisible()) {
        showPending_ = true;
        QMetaObject::invokeMethod(this, &CellPane::ShowCurrentCell, Qt::QueuedConnection);
    }
}

void CellPane::ShowCurrentCell() {
    showPending_ = false;
    if (movingItself_) {
        return;
    }
    const RecordTable& table = model_.Table();
    const QModelIndex current = grid_.currentIndex();
    const int row = current.isValid() ? grid_.TableRowOf(current.row()) : -1;
    const int column = current.column();
    const bool typedCellExists = table.RowOfRecord(record_) >= 0 && column_ < table.FieldCount();
    if (HoldsTypedText() && typedCellExists) {
        if (OnTypedCell(row, column)) {
            return;
        }
        // Leaving the cell stores what was typed for it, as leaving a cell of the grid does.
        if (!CommitTypedText()) {
            ReturnToTypedCell();
            return;
        }
    }
    if (row < 0 || row >= table.RowCount() || column < 0 || column >= table.FieldCount()) {
        ShowNoCell();
        return;
    }
    ShowCell(row, column);
}

bool CellPane::OnTypedCell(int row, int column) const {
    const RecordTable& table = model_.Table();
    return row >= 0 && row < table.RowCount() && table.RecordIdAt(row) == record_ &&
           column == column_;
}

// A refused value keeps the user on its cell, as a refused value typed into the grid does.
void CellPane::ReturnToTypedCell() {
    const QScopedValueRollback<bool> moving(movingItself_, true);
    RecordTable& table = model_.Table();
    const int row = table.RowOfRecord(record_);
    if (row != table.CurrentRow() && !RunGuarded(dialogs_, [&] { table.MoveTo(row); })) {
        return;
    }
    const int gridRow = grid_.GridRowOf(row);
    if (gridRow >= 0) {
        grid_.setCurrentIndex(grid_.model()->index(gridRow, column_));
    }
}

void CellPane::Revert() {
    text_->document()->setModified(false);
    ShowCurrentCell();
}

void CellPane::ShowCell(int row, int column) {
    const RecordTable& table = model_.Table();
    record_ = table.RecordIdAt(row);
    column_ = column;
    const std::string value = table.DisplayText(row, column);
    const bool onlyLf =
        value.find('\n') != std::string::npos && value.find("\r\n") == std::string::npos;
    lineEnd_ = onlyLf ? QStringLiteral("\n") : QStringLiteral("\r\n");
    // Numbered as the grid's row header and the status bar number records.
    title_->setText(ToQt(table.Presentation(column).Caption) + QStringLiteral(" of record ") +
                    QString::number(row + 1));
    text_->setPlainText(ShowLineBreaks(ToQt(value)));
    text_->document()->setModified(false);
    QStringList facts;
    for (const std::string& fact : CellFacts(table, row, column)) {
        facts << ToQt(fact);
    }
    facts_->setText(facts.join(u'\n'));
    text_->setEnabled(true);
    apply_->setEnabled(true);
}

void CellPane::ShowNoCell() {
    record_ = {};
    column_ = -1;
    title_->setText(QStringLiteral("No cell"));
    text_->clear();
    text_->document()->setModified(false);
    facts_->clear();
    text_->setEnabled(false);
    apply_->setEnabled(false);
}

}  // namespace kelvane

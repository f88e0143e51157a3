#include "app/ui/CellEditDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "app/ui/CharSetValidator.h"
#include "core/table/RecordTable.h"

namespace kelvane {

CellEditDelegate::CellEditDelegate(const RecordTable& table, QObject* parent)
    : QStyledItemDelegate(parent), table_(table) {}

void CellEditDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The background and selection as the style draws them; the text without the style's
    // general layout, which shapes each text several times over.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = cell.rect.adjusted(margin, 0, -margin, 0);
    QPalette::ColorGroup group = QPalette::Disabled;
    if (cell.state.testFlag(QStyle::State_Enabled)) {
        group = cell.state.testFlag(QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
    }
    const QPalette::ColorRole role =
        cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->setPen(cell.palette.color(group, role));
    painter->drawText(textRect, cell.displayAlignment.toInt() | Qt::TextSingleLine,
                      cell.fontMetrics.elidedText(cell.text, Qt::ElideRight, textRect.width()));
}

QWidget* CellEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::Alignment::fromInt(index.data(Qt::TextAlignmentRole).toInt()));
    if (index.column() >= 0 && index.column() < table_.FieldCount()) {
        const CharSet& allowed = table_.Presentation(index.column()).ValidChars;
        if (!allowed.AllowsAll()) {
            editor->setValidator(new CharSetValidator(allowed, editor));
        }
    }
    connect(editor, &QLineEdit::textEdited, this, &CellEditDelegate::typedTextChanged);
    return editor;
}

void CellEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    // Leaving a cell without typing is no change: an inserted record left untouched must
    // still be cancelled rather than posted.
    const auto* lineEdit = qobject_cast<const QLineEdit*>(editor);
    if (lineEdit != nullptr && !lineEdit->isModified()) {
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void CellEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::destroyEditor(editor, index);
    emit typedTextChanged();
}

bool CellEditDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Enter || key == Qt::Key_Return) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

}  // namespace kelvane

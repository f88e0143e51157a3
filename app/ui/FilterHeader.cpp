#include "app/ui/FilterHeader.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QResizeEvent>

namespace kelvane {
namespace {

// A line edit lets Enter go on to its parent once it has applied the text; in a filter field it
// would reach the grid and move its current cell as well.
class FilterLineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
        }
    }
};

}  // namespace

FilterHeader::FilterHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    connect(this, &QHeaderView::sectionCountChanged, this, &FilterHeader::MatchColumnCount);
    connect(this, &QHeaderView::sectionResized, this, &FilterHeader::PlaceFieldsSoon);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeader::PlaceFieldsSoon);
    connect(this, &QHeaderView::geometriesChanged, this, &FilterHeader::PlaceFieldsSoon);
}

void FilterHeader::ShowFilterText(int column, const QString& text) {
    QLineEdit* field = FilterField(column);
    // A field the user is still typing into keeps the text.
    if (field != nullptr && !field->isModified()) {
        field->setText(text);
        field->setModified(false);
    }
}

QLineEdit* FilterHeader::FilterField(int column) const {
    const bool known = column >= 0 && column < static_cast<int>(fields_.size());
    return known ? fields_[static_cast<size_t>(column)] : nullptr;
}

// The titles keep the top of each section; the fields cover the rest.
void FilterHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect.adjusted(0, 0, 0, -FilterRowHeight), logicalIndex);
}

void FilterHeader::resizeEvent(QResizeEvent* event) {
    QHeaderView::resizeEvent(event);
    PlaceFieldsSoon();
}

// The fields live on the viewport, so scrolling the titles sideways moves them along.
void FilterHeader::MatchColumnCount() {
    const auto columns = static_cast<size_t>(count());
    while (fields_.size() > columns) {
        delete fields_.back();
        fields_.pop_back();
    }
    while (fields_.size() < columns) {
        const int column = static_cast<int>(fields_.size());
        auto* field = new FilterLineEdit(viewport());
        field->setObjectName(QStringLiteral("FilterField%1").arg(column));
        field->setPlaceholderText(QStringLiteral("filter"));
        field->setFrame(false);
        connect(field, &QLineEdit::editingFinished, this, [this, field, column] {
            if (field->isModified()) {
                field->setModified(false);
                emit filterEdited(column, field->text());
            }
        });
        fields_.push_back(field);
    }
    PlaceFieldsSoon();
}

// Widths are given column by column when a table opens: the fields are placed once after.
void FilterHeader::PlaceFieldsSoon() {
    if (!placing_) {
        placing_ = true;
        QMetaObject::invokeMethod(this, &FilterHeader::PlaceFields, Qt::QueuedConnection);
    }
}

void FilterHeader::PlaceFields() {
    placing_ = false;
    const int top = height() - FilterRowHeight;
    for (size_t column = 0; column < fields_.size(); ++column) {
        const int section = static_cast<int>(column);
        QLineEdit* field = fields_[column];
        field->setGeometry(sectionViewportPosition(section), top, sectionSize(section),
                           FilterRowHeight);
        field->setVisible(!isSectionHidden(section));
    }
}

}  // namespace kelvane

#pragma once

#include <QAbstractButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

namespace kelvane::testing {

// The control a window test drives, found by its object name; a missing one ends the test
// program with the name, since every later step would fail for the same reason.
template <typename Widget>
Widget* Child(const QWidget& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

// A button the window gives no object name, found by its caption.
inline QAbstractButton* ButtonWithText(const QWidget& parent, const QString& text) {
    for (auto* button : parent.findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    qFatal("no button %s", qPrintable(text));
}

// The texts of one column of a grid of items, top to bottom.
inline QStringList ColumnTexts(const QTableWidget& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row) {
        texts << grid.item(row, column)->text();
    }
    return texts;
}

// Where a control sits in its window, in the window's coordinates.
inline QRect GeometryIn(const QWidget& window, const QWidget& child) {
    return QRect(child.mapTo(&window, QPoint(0, 0)), child.size());
}

}  // namespace kelvane::testing

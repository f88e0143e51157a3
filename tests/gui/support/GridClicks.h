#pragma once

#include <QAbstractItemView>
#include <QTest>

namespace kelvane::testing {

// Clicks the middle of a cell of the view, as a user picks a cell with the mouse.
inline void ClickCell(QAbstractItemView& view, int row, int column) {
    const QModelIndex cell = view.model()->index(row, column);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                      view.visualRect(cell).center());
}

}  // namespace kelvane::testing

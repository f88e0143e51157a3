#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QTableWidget>
#include <QTest>

#include "tests/gui/support/WidgetLookup.h"

namespace kelvane::testing {

// In the Fields dialog, as a user does it: a click on the field's Name cell, F2, the new name
// typed over the old one and Tab to leave the cell, then a click on OK. Returns the dialog's
// result for a modal script: Rejected, with a warning, when the typing did not reach the cell.
// The keys go to the dialog's focus widget, which is the user's whether or not the test's
// window manager made the dialog the active window.
inline int RenameFieldAndConfirm(QDialog& dialog, int field, const QString& name) {
    auto* grid = Child<QTableWidget>(dialog, "sg");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(field, 1)).center());
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog.focusWidget(), name);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    // The cell's editor hands its text on from the event loop.
    if (!QTest::qWaitFor([&] { return grid->item(field, 1)->text() == name; })) {
        qWarning("the name typed did not reach the Fields dialog's cell");
        return QDialog::Rejected;
    }
    QTest::mouseClick(Child<QAbstractButton>(dialog, "BitBtn1"), Qt::LeftButton);
    return dialog.result();
}

}  // namespace kelvane::testing

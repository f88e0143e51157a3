#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace kelvane {

// The screen a window belongs on: that of the window at the top of its owners (the main
// window), where the user is looking. A window created once at start would otherwise stay on
// the screen it was first shown on.
inline QScreen* OwnerScreen(const QWidget& window) {
    const QWidget* owner = window.window();
    while (owner->parentWidget() != nullptr) {
        owner = owner->parentWidget()->window();
    }
    return owner->screen();
}

// Moves a window to the middle of its owner's screen, for the windows that open centred on the
// desktop rather than over the window that opened them.
inline void CentreOnScreen(QWidget& window) {
    const QScreen* screen = OwnerScreen(window);
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace kelvane

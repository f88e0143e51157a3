#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace kelvane {

// Moves a window to the middle of its screen, for the windows that open centred on the desktop
// rather than over the window that opened them.
inline void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace kelvane

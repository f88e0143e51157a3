#include "editors/ui/EditorWindow.h"

namespace kelvane {

EditorWindow::EditorWindow(const char* objectName, const char* caption, Qt::WindowFlags flags,
                           QWidget* parent)
    : QWidget(parent, flags) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
}

void EditorWindow::ShowInFront() {
    show();
    raise();
    activateWindow();
}

}  // namespace kelvane

#pragma once

#include <QWidget>

namespace kelvane {

// A window that exists for the whole run and is only shown and hidden. Subsystems whose windows
// have no controls yet start from this.
class ShellWindow : public QWidget {
    Q_OBJECT

  public:
    ShellWindow(const char* objectName, const char* caption, QWidget* parent,
                Qt::WindowFlags flags = Qt::Window)
        : QWidget(parent, flags) {
        setObjectName(QString::fromLatin1(objectName));
        setWindowTitle(QString::fromLatin1(caption));
    }
};

}  // namespace kelvane

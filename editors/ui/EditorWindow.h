#pragma once

#include <QWidget>

namespace kelvane {

// A window of the record editors. It is created once and lives for the whole run: it is shown
// without blocking the main window, and closing it only hides it, so its fields keep what the
// user entered.
class EditorWindow : public QWidget {
    Q_OBJECT

  public:
    // Shows the window, or brings it forward when it is already visible.
    void ShowInFront();

  protected:
    EditorWindow(const char* objectName, const char* caption, Qt::WindowFlags flags,
                 QWidget* parent);
};

}  // namespace kelvane

#pragma once

#include <QWidget>

class QProgressBar;

namespace kelvane {

// The small window that shows how far a load has come.
class LoadProgressWindow : public QWidget {
    Q_OBJECT

  public:
    explicit LoadProgressWindow(QWidget* parent = nullptr);

    QProgressBar* ProgressBar() const { return progressBar_; }

  private:
    QProgressBar* progressBar_;
};

}  // namespace kelvane

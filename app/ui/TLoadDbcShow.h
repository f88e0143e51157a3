#pragma once

#include <QWidget>

class QProgressBar;

namespace kelvane {

// The small window that shows how far a load has come.
class TLoadDbcShow : public QWidget {
    Q_OBJECT

  public:
    explicit TLoadDbcShow(QWidget* parent = nullptr);

    QProgressBar* ProgressBar() const { return progressBar_; }

  private:
    QProgressBar* progressBar_;
};

}  // namespace kelvane

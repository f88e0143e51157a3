#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kelvane {

// Shows how far long work has come, with a button to cancel it. While it is shown, the other
// windows take no input, so nothing else can change what the work is changing.
class LongWorkDialog : public QDialog {
    Q_OBJECT

  public:
    explicit LongWorkDialog(QWidget* parent = nullptr);

    // Starts afresh for new work.
    void Start(const QString& title);
    // done of total steps; total 0: not known.
    void ShowProgress(int64_t done, int64_t total);
    bool Cancelled() const { return cancelled_; }

  protected:
    // Closing the dialog by its frame or Esc cancels the work, as its button does.
    void reject() override;

  private:
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
    bool cancelled_ = false;
};

}  // namespace kelvane

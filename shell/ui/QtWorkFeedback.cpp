#include "shell/ui/QtWorkFeedback.h"

#include <QApplication>
#include <QProgressBar>

#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/LoadProgressWindow.h"

namespace kelvane {

void QtWorkFeedback::BusyStarted() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtWorkFeedback::BusyEnded() {
    QApplication::restoreOverrideCursor();
}

void QtWorkFeedback::LoadStarted() {
    throttle_.Restart();
    if (progressWindow_ == nullptr) {
        return;
    }
    QProgressBar* bar = progressWindow_->ProgressBar();
    bar->setRange(0, 0);
    bar->setValue(0);
    CentreOnScreen(*progressWindow_);
    progressWindow_->show();
    progressWindow_->repaint();
}

void QtWorkFeedback::LoadProgress(int record, int recordCount) {
    if (progressWindow_ == nullptr || !throttle_.Due()) {
        return;
    }
    QProgressBar* bar = progressWindow_->ProgressBar();
    bar->setRange(0, recordCount > 0 ? recordCount - 1 : 0);
    bar->setValue(record);
    // Loads run on the one user-interface thread: let the window redraw, but take no user
    // input while the table is half built.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWorkFeedback::LoadEnded() {
    if (progressWindow_ != nullptr) {
        progressWindow_->hide();
    }
}

void QtWorkFeedback::CommandDone(const std::string& result) {
    if (resultListener_) {
        resultListener_(result);
    }
}

}  // namespace kelvane

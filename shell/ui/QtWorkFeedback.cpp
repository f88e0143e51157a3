#include "shell/ui/QtWorkFeedback.h"

#include <QApplication>
#include <QProgressBar>

#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/LoadProgressWindow.h"
#include "shell/ui/LongWorkDialog.h"
#include "shell/ui/QtText.h"

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

void QtWorkFeedback::LongWorkStarted(const std::string& title) {
    longWorkTitle_ = title;
    longWorkTimer_.start();
}

bool QtWorkFeedback::LongWorkProgress(int64_t done, int64_t total) {
    const bool shown = longWorkDialog_ != nullptr && longWorkDialog_->isVisible();
    if (shown && longWorkDialog_->Cancelled()) {
        return false;
    }
    if (!shown) {
        if (longWorkTimer_.elapsed() < longWorkDelay_.count()) {
            return true;  // quick work shows nothing
        }
        if (longWorkDialog_ == nullptr) {
            longWorkDialog_ = new LongWorkDialog(QApplication::activeWindow());
        }
        longWorkDialog_->Start(ToQt(longWorkTitle_));
        longWorkDialog_->show();
        throttle_.Restart();
    } else if (!throttle_.Due()) {
        return true;
    }
    longWorkDialog_->ShowProgress(done, total);
    // The dialog is modal: of the user's input only its Cancel button is taken meanwhile.
    QApplication::processEvents();
    return !longWorkDialog_->Cancelled();
}

void QtWorkFeedback::LongWorkEnded() {
    if (longWorkDialog_ != nullptr) {
        longWorkDialog_->hide();
    }
}

void QtWorkFeedback::CommandDone(const std::string& result) {
    if (resultListener_) {
        resultListener_(result);
    }
}

}  // namespace kelvane

#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <chrono>
#include <functional>
#include <string>

#include "shell/WorkFeedback.h"
#include "shell/ui/RedrawThrottle.h"

namespace kelvane {

class LoadProgressWindow;
class LongWorkDialog;

// The busy cursor, the progress window during loads, and the progress dialog of long work. The
// progress bars are redrawn a few times a second at most, so fast work pays nothing for them.
class QtWorkFeedback : public WorkFeedback {
  public:
    // The progress window is created after the windows that load tables.
    void SetProgressWindow(LoadProgressWindow& progressWindow) {
        progressWindow_ = &progressWindow;
    }

    void BusyStarted() override;
    void BusyEnded() override;
    void LoadStarted() override;
    void LoadProgress(int record, int recordCount) override;
    void LoadEnded() override;
    void LongWorkStarted(const std::string& title) override;
    bool LongWorkProgress(int64_t done, int64_t total) override;
    void LongWorkEnded() override;
    void CommandDone(const std::string& result) override;
    // How long work runs before its progress is shown; tests show it at once.
    void SetLongWorkDelay(std::chrono::milliseconds delay) { longWorkDelay_ = delay; }
    // The window that shows command results, created after the commands.
    void SetResultListener(std::function<void(const std::string&)> listener) {
        resultListener_ = std::move(listener);
    }

  private:
    std::function<void(const std::string&)> resultListener_;
    LoadProgressWindow* progressWindow_ = nullptr;
    RedrawThrottle throttle_;
    std::chrono::milliseconds longWorkDelay_{500};
    QElapsedTimer longWorkTimer_;
    std::string longWorkTitle_;
    // Made when long work first shows its progress, as a child of the window then active.
    QPointer<LongWorkDialog> longWorkDialog_;
};

}  // namespace kelvane

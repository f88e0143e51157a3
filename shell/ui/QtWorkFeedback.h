#pragma once

#include <functional>
#include <string>

#include "shell/WorkFeedback.h"
#include "shell/ui/RedrawThrottle.h"

namespace kelvane {

class LoadProgressWindow;

// The busy cursor, and the progress window during loads. The progress bar is redrawn a few
// times a second at most, so a fast load pays nothing for it.
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
    void CommandDone(const std::string& result) override;
    // The window that shows command results, created after the commands.
    void SetResultListener(std::function<void(const std::string&)> listener) {
        resultListener_ = std::move(listener);
    }

  private:
    std::function<void(const std::string&)> resultListener_;
    LoadProgressWindow* progressWindow_ = nullptr;
    RedrawThrottle throttle_;
};

}  // namespace kelvane

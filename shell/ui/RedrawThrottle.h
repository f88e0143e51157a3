#pragma once

#include <QElapsedTimer>

namespace kelvane {

// Lets a progress display redraw a few times a second at most, so a fast run pays nothing
// measurable for it.
class RedrawThrottle {
  public:
    RedrawThrottle() { sinceRedraw_.start(); }

    void Restart() { sinceRedraw_.restart(); }
    // True when enough time has passed since the last redraw; the caller redraws then.
    bool Due() {
        if (sinceRedraw_.elapsed() < kIntervalMs) {
            return false;
        }
        sinceRedraw_.restart();
        return true;
    }

  private:
    static constexpr qint64 kIntervalMs = 200;
    QElapsedTimer sinceRedraw_;
};

}  // namespace kelvane

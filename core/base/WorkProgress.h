#pragma once

#include <cstdint>
#include <functional>

namespace kelvane {

// Hears now and then how far a long piece of work has come: done of total steps, total 0 when
// it is not known. It may throw WorkCancelled to stop the work. Empty: nobody listens.
using WorkProgress = std::function<void(int64_t done, int64_t total)>;

// Tells progress, when there is one.
inline void ReportProgress(const WorkProgress& progress, int64_t done, int64_t total) {
    if (progress) {
        progress(done, total);
    }
}

}  // namespace kelvane

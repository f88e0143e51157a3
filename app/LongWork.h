#pragma once

#include <cstdint>
#include <string>

#include "core/base/WorkCancelled.h"
#include "core/base/WorkProgress.h"
#include "core/files/TablePaths.h"
#include "shell/CommandCancelled.h"
#include "shell/WorkFeedback.h"

namespace kelvane {

// Runs a command that may take long, such as a paste or an import into a big table, with the
// busy cursor and, once it has taken a while, its progress under title ("Pasting"): work gets
// the WorkProgress to pass on to the table's batch functions. When the user cancels, those leave
// the table as it was; the status line says so, and the command ends with CommandCancelled,
// which no message follows.
template <typename Work>
auto RunLongWork(WorkFeedback& feedback, const std::string& title, const Work& work) {
    const BusyScope busy(feedback);
    try {
        const LongWorkScope scope(feedback, title);
        return work(WorkProgress([&feedback](int64_t done, int64_t total) {
            if (!feedback.LongWorkProgress(done, total)) {
                throw WorkCancelled();
            }
        }));
    } catch (const WorkCancelled&) {
        feedback.CommandDone(title + " cancelled: the table is as it was");
        throw CommandCancelled();
    }
}

// "Importing in.csv": the title of an import's progress.
inline std::string ImportingTitle(const std::string& path) {
    return "Importing " + FileNameOfPath(path);
}

}  // namespace kelvane

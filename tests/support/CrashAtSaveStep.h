#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "core/files/SaveStep.h"

namespace kelvane::testing {

// Runs the save in a child process that is killed (SIGKILL, no clean-up of any kind) when its
// save passes the step for the count-th time. Returns whether the child died there.
inline bool SaveKilledAt(SaveStep step, int count, const std::function<void()>& save) {
    const pid_t child = ::fork();
    if (child == 0) {
        static SaveStep fatalStep;
        static int passesLeft;
        fatalStep = step;
        passesLeft = count;
        SaveStepObserver = [](SaveStep reached) {
            if (reached == fatalStep && --passesLeft == 0) {
                ::raise(SIGKILL);
            }
        };
        try {
            save();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace kelvane::testing

#pragma once

namespace kelvane {

// The points of a save where a crash leaves something different behind.
enum class SaveStep {
    TemporaryWritten,  // the new content is complete in the temporary file(s)
    TemporarySynced,   // ... and flushed to disk
    Renamed,           // a temporary file replaced its target (once per file of a batch)
};

// Tests only: told as a save passes each step, so that a test can end the process there and
// look at what a crash would leave.
inline void (*SaveStepObserver)(SaveStep step) = nullptr;

inline void NotifySaveStep(SaveStep step) {
    if (SaveStepObserver != nullptr) {
        SaveStepObserver(step);
    }
}

}  // namespace kelvane

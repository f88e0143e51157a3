#pragma once

#include <string>

namespace kelvane {

// What the user sees while a command blocks the program: the busy cursor, and during a load
// the progress window; and afterwards, in a line of its own, what the command did.
class WorkFeedback {
  public:
    virtual ~WorkFeedback() = default;

    virtual void BusyStarted() = 0;
    virtual void BusyEnded() = 0;
    virtual void LoadStarted() = 0;
    virtual void LoadProgress(int record, int recordCount) = 0;
    virtual void LoadEnded() = 0;
    // "Exported 100000 lines to Spell.csv": the result of a command that finished without a
    // word of its own.
    virtual void CommandDone(const std::string& result) = 0;
};

// The busy cursor for a scope, also when the scope is left by an exception.
class BusyScope {
  public:
    explicit BusyScope(WorkFeedback& feedback) : feedback_(feedback) { feedback_.BusyStarted(); }
    ~BusyScope() { feedback_.BusyEnded(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    WorkFeedback& feedback_;
};

}  // namespace kelvane

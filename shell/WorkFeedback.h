#pragma once

namespace kelvane {

// What the user sees while a command blocks the program: the busy cursor, and during a load
// the progress window.
class WorkFeedback {
  public:
    virtual ~WorkFeedback() = default;

    virtual void BusyStarted() = 0;
    virtual void BusyEnded() = 0;
    virtual void LoadStarted() = 0;
    virtual void LoadProgress(int record, int recordCount) = 0;
    virtual void LoadEnded() = 0;
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

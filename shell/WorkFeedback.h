#pragma once

#include <cstdint>
#include <string>

namespace kelvane {

// What the user sees while a command blocks the program: the busy cursor, during a load the
// progress window, and during other long work its progress with a way to cancel it; and
// afterwards, in a line of its own, what the command did.
class WorkFeedback {
  public:
    virtual ~WorkFeedback() = default;

    virtual void BusyStarted() = 0;
    virtual void BusyEnded() = 0;
    virtual void LoadStarted() = 0;
    virtual void LoadProgress(int record, int recordCount) = 0;
    virtual void LoadEnded() = 0;
    // Long work, such as a paste or an import into a big table, named by title ("Pasting"):
    // once it has taken half a second its progress is shown, done of total steps (total 0: not
    // known), with a button to cancel it. Progress returns false once the user has cancelled;
    // the work then stops and leaves everything as it was.
    virtual void LongWorkStarted(const std::string& title) = 0;
    virtual bool LongWorkProgress(int64_t done, int64_t total) = 0;
    virtual void LongWorkEnded() = 0;
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

// Long work for a scope, also when the scope is left by an exception.
class LongWorkScope {
  public:
    LongWorkScope(WorkFeedback& feedback, const std::string& title) : feedback_(feedback) {
        feedback_.LongWorkStarted(title);
    }
    ~LongWorkScope() { feedback_.LongWorkEnded(); }
    LongWorkScope(const LongWorkScope&) = delete;
    LongWorkScope& operator=(const LongWorkScope&) = delete;

  private:
    WorkFeedback& feedback_;
};

}  // namespace kelvane

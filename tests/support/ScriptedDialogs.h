#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

namespace kelvane::testing {

// Answers the editor's questions and file dialogs from queues filled by the test, and records
// what was asked. A question with no answer queued is answered No / Cancel and recorded in
// Unanswered, so a test sees it instead of hanging. Confirm takes its answers from YesNoAnswers
// (true for its confirm button) and records its text followed by " [Label / Cancel]". The
// Save / Discard / Cancel question takes its answers from SaveChangesAnswers and records its
// text in SaveChangesQuestions; unanswered, it cancels. Folder choosers take their answers from
// FolderAnswers and record their titles in FolderRequests; text questions take theirs from
// TextAnswers and record the prompt with the text offered in TextQuestions. A file dialog with
// check boxes that is given a file takes their states, box by box, from CheckBoxAnswers, and
// leaves a box as it opened when none is queued for it (a user who does not touch it). A window
// test that clicks in a real open dialog hands the open dialogs to it through RealOpenDialog;
// their requests are still recorded.
class ScriptedDialogs : public UserDialogs {
  public:
    std::function<std::optional<std::string>(const FileDialogRequest&)> RealOpenDialog;
    std::deque<bool> YesNoAnswers;
    std::deque<std::optional<std::string>> FileAnswers;
    std::deque<UnsavedChangesAnswer> SaveChangesAnswers;
    std::deque<std::optional<std::string>> FolderAnswers;
    std::deque<std::optional<std::string>> TextAnswers;
    std::deque<bool> CheckBoxAnswers;

    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    // The questions among Questions whose default answer is No.
    std::vector<std::string> DefaultNoQuestions;
    std::vector<std::string> SaveChangesQuestions;
    std::vector<FileDialogRequest> FileRequests;
    std::vector<std::string> FolderRequests;
    // "prompt [offered text]"
    std::vector<std::string> TextQuestions;
    std::vector<std::string> Unanswered;
    int Errors = 0;

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    // Kept with the other messages, and counted apart so a test can tell an error from a notice.
    void ShowError(const std::string& text) override {
        Messages.push_back(text);
        ++Errors;
    }
    bool AskYesNo(const std::string& text) override;
    bool AskYesNoDefaultNo(const std::string& text) override;
    bool Confirm(const std::string& text, const std::string& confirmLabel) override;
    UnsavedChangesAnswer AskSaveChanges(const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& text) override;

  private:
    std::optional<std::string> NextFile(const FileDialogRequest& request);
    std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers,
                                          const std::string& unansweredNote);
};

// Counts what the editor showed while it worked. Long work is cancelled, as a user would, at
// its progress report numbered CancelAtProgress (from 1), when that is set.
class CountingFeedback : public WorkFeedback {
  public:
    int BusyDepth = 0;
    int Loads = 0;
    int ProgressCalls = 0;
    std::vector<std::string> LongWorkTitles;
    int LongWorkDepth = 0;
    int LongWorkProgressCalls = 0;
    std::optional<int> CancelAtProgress;
    std::vector<std::string> Results;

    void BusyStarted() override { ++BusyDepth; }
    void BusyEnded() override { --BusyDepth; }
    void LoadStarted() override { ++Loads; }
    void LoadProgress(int, int) override { ++ProgressCalls; }
    void LoadEnded() override {}
    void LongWorkStarted(const std::string& title) override {
        LongWorkTitles.push_back(title);
        ++LongWorkDepth;
    }
    bool LongWorkProgress(int64_t, int64_t) override {
        ++LongWorkProgressCalls;
        return !CancelAtProgress || LongWorkProgressCalls < *CancelAtProgress;
    }
    void LongWorkEnded() override { --LongWorkDepth; }
    void CommandDone(const std::string& result) override { Results.push_back(result); }
};

}  // namespace kelvane::testing

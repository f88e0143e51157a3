#include "tests/support/ScriptedDialogs.h"

namespace kelvane::testing {

bool ScriptedDialogs::AskYesNo(const std::string& text) {
    Questions.push_back(text);
    if (YesNoAnswers.empty()) {
        Unanswered.push_back("question: " + text);
        return false;
    }
    const bool answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::AskYesNoDefaultNo(const std::string& text) {
    DefaultNoQuestions.push_back(text);
    return AskYesNo(text);
}

bool ScriptedDialogs::Confirm(const std::string& text, const std::string& confirmLabel) {
    return AskYesNo(text + " [" + confirmLabel + " / Cancel]");
}

UnsavedChangesAnswer ScriptedDialogs::AskSaveChanges(const std::string& text) {
    SaveChangesQuestions.push_back(text);
    if (SaveChangesAnswers.empty()) {
        Unanswered.push_back("save changes: " + text);
        return UnsavedChangesAnswer::Cancel;
    }
    const UnsavedChangesAnswer answer = SaveChangesAnswers.front();
    SaveChangesAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::ChooseOpenFile(const FileDialogRequest& request) {
    if (RealOpenDialog) {
        FileRequests.push_back(request);
        return RealOpenDialog(request);
    }
    return NextFile(request);
}

std::optional<std::string> ScriptedDialogs::ChooseSaveFile(const FileDialogRequest& request) {
    return NextFile(request);
}

std::optional<std::string> ScriptedDialogs::ChooseFolder(const std::string& title,
                                                         const std::string& /*startFolder*/) {
    FolderRequests.push_back(title);
    return NextAnswer(FolderAnswers, "folder dialog: " + title);
}

std::optional<std::string> ScriptedDialogs::AskText(const std::string& prompt,
                                                    const std::string& text) {
    TextQuestions.push_back(prompt + " [" + text + "]");
    return NextAnswer(TextAnswers, "text question: " + prompt);
}

std::optional<std::string> ScriptedDialogs::NextFile(const FileDialogRequest& request) {
    FileRequests.push_back(request);
    std::optional<std::string> file = NextAnswer(FileAnswers, "file dialog: " + request.Title);
    if (!file) {
        return file;
    }
    for (const FileDialogCheckBox& box : request.CheckBoxes) {
        bool checked = box.Checked;
        if (!CheckBoxAnswers.empty()) {
            checked = CheckBoxAnswers.front();
            CheckBoxAnswers.pop_front();
        }
        if (box.Answer != nullptr) {
            *box.Answer = checked;
        }
    }
    return file;
}

std::optional<std::string> ScriptedDialogs::NextAnswer(
    std::deque<std::optional<std::string>>& answers, const std::string& unansweredNote) {
    if (answers.empty()) {
        Unanswered.push_back(unansweredNote);
        return std::nullopt;
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace kelvane::testing

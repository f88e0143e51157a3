#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvane {

// One choice of a file dialog's filter list: Name is what the user sees ("*.dbc"), Pattern
// what it shows ("*.dbc", "*.*").
struct FileFilter {
    std::string Name;
    std::string Pattern;
};

// A check box a file dialog shows with its file list, for a choice that goes with the file
// ("Write a header line"). When the user accepts the dialog, the box's state is written to
// *Answer; a cancelled dialog leaves it alone.
struct FileDialogCheckBox {
    std::string Name;  // the box's object name
    std::string Label;
    bool Checked = false;  // the state it opens with
    bool* Answer = nullptr;
};

struct FileDialogRequest {
    std::string Title;
    std::vector<FileFilter> Filters;
    std::string DefaultExtension;  // added to a typed name that has none ("dbc")
    std::string FileName;          // the name proposed when the dialog opens
    bool ConfirmOverwrite = true;  // save dialogs: ask before replacing an existing file
    std::vector<FileDialogCheckBox> CheckBoxes = {};  // one under the other, in this order
};

// What to do with changes of the open table that a command is about to drop.
enum class UnsavedChangesAnswer { Save, Discard, Cancel };

// Everything that blocks to ask the user something. The editor's windows reach message boxes
// and file dialogs only through this, so tests can answer them from a script.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    virtual void ShowMessage(const std::string& text) = 0;
    // A command that failed: the message with the error icon.
    virtual void ShowError(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    // A Yes/No question whose default answer is No, for a step that changes data for good.
    virtual bool AskYesNoDefaultNo(const std::string& text) = 0;
    // A question with two buttons, confirmLabel ("Overwrite") and Cancel; true for the first.
    virtual bool Confirm(const std::string& text, const std::string& confirmLabel) = 0;
    // Save / Discard / Cancel before a command drops unsaved changes; Save is the default
    // answer, and closing the question cancels.
    virtual UnsavedChangesAnswer AskSaveChanges(const std::string& text) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
    // Asks before replacing an existing file unless the request says otherwise; nothing when
    // cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
    // An existing folder, the dialog opening on startFolder when it is given; nothing when
    // cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    // A line of text, the field holding text when the question opens; nothing when cancelled.
    virtual std::optional<std::string> AskText(const std::string& prompt,
                                               const std::string& text) = 0;
};

}  // namespace kelvane

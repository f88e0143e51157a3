#pragma once

#include "shell/UserDialogs.h"
#include "shell/ui/ModalRunner.h"

namespace kelvane {

// The editor's questions when there is no display to show them on: messages go to stderr,
// questions are printed and answered No (Cancel where there is no No, so nothing is lost), file
// dialogs and modal windows are cancelled.
class ConsoleDialogs : public UserDialogs, public ModalRunner {
  public:
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskYesNoDefaultNo(const std::string& text) override;
    bool Confirm(const std::string& text, const std::string& confirmLabel) override;
    UnsavedChangesAnswer AskSaveChanges(const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& text) override;
    int RunModal(QDialog& dialog) override;

    // How many messages and questions were printed.
    int Printed() const { return printed_; }

  private:
    void Print(const std::string& text);
    void PrintCancelledFileDialog(const FileDialogRequest& request);
    int printed_ = 0;
};

}  // namespace kelvane

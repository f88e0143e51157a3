#pragma once

#include "shell/UserDialogs.h"
#include "shell/ui/ModalRunner.h"

class QWidget;

namespace kelvane {

// Message boxes, questions and file dialogs as Qt shows them, over the given window.
class QtDialogs : public UserDialogs, public ModalRunner {
  public:
    void SetParentWindow(QWidget* parent) { parent_ = parent; }

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

  private:
    QWidget* parent_ = nullptr;
};

}  // namespace kelvane

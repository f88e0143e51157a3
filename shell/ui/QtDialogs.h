#pragma once

#include "shell/FileDialogFolders.h"
#include "shell/UserDialogs.h"
#include "shell/ui/ModalRunner.h"

class QWidget;

namespace kelvane {

// Message boxes, questions and file dialogs as Qt shows them, over the given window.
class QtDialogs : public UserDialogs, public ModalRunner {
  public:
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // Where file dialogs open before one of their kind was used: the open table's folder.
    void SetFallbackFolder(std::function<std::string()> folder) {
        folders_.SetFallback(std::move(folder));
    }

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
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save);

    QWidget* parent_ = nullptr;
    FileDialogFolders folders_;
};

}  // namespace kelvane

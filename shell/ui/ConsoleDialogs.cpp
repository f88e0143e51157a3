#include "shell/ui/ConsoleDialogs.h"

#include <QDialog>
#include <cstdio>

namespace kelvane {

void ConsoleDialogs::Print(const std::string& text) {
    ++printed_;
    std::fprintf(stderr, "kelvane: %s\n", text.c_str());
}

void ConsoleDialogs::ShowMessage(const std::string& text) {
    Print(text);
}

void ConsoleDialogs::ShowError(const std::string& text) {
    Print(text);
}

bool ConsoleDialogs::AskYesNo(const std::string& text) {
    Print(text + " [answered No: there is no display to ask on]");
    return false;
}

bool ConsoleDialogs::AskYesNoDefaultNo(const std::string& text) {
    return AskYesNo(text);
}

bool ConsoleDialogs::Confirm(const std::string& text, const std::string& confirmLabel) {
    Print(text + " [answered Cancel, not " + confirmLabel + ": there is no display to ask on]");
    return false;
}

UnsavedChangesAnswer ConsoleDialogs::AskSaveChanges(const std::string& text) {
    Print(text + " [answered Cancel: there is no display to ask on]");
    return UnsavedChangesAnswer::Cancel;
}

std::optional<std::string> ConsoleDialogs::ChooseOpenFile(const FileDialogRequest& request) {
    PrintCancelledFileDialog(request);
    return std::nullopt;
}

std::optional<std::string> ConsoleDialogs::ChooseSaveFile(const FileDialogRequest& request) {
    PrintCancelledFileDialog(request);
    return std::nullopt;
}

// The dialog's check boxes are named too: their answers are left as they were.
void ConsoleDialogs::PrintCancelledFileDialog(const FileDialogRequest& request) {
    std::string boxes;
    for (const FileDialogCheckBox& box : request.CheckBoxes) {
        boxes += (boxes.empty() ? " (with \"" : ", \"") + box.Label + "\"";
    }
    if (!boxes.empty()) {
        boxes += ")";
    }
    Print(request.Title + boxes + " [cancelled: there is no display to ask on]");
}

std::optional<std::string> ConsoleDialogs::ChooseFolder(const std::string& title,
                                                        const std::string& /*startFolder*/) {
    Print(title + " [cancelled: there is no display to ask on]");
    return std::nullopt;
}

std::optional<std::string> ConsoleDialogs::AskText(const std::string& prompt,
                                                   const std::string& /*text*/) {
    Print(prompt + " [cancelled: there is no display to ask on]");
    return std::nullopt;
}

int ConsoleDialogs::RunModal(QDialog& dialog) {
    Print(dialog.windowTitle().toStdString() + " [cancelled: there is no display to ask on]");
    return QDialog::Rejected;
}

}  // namespace kelvane

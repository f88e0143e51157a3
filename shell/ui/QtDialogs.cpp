#include "shell/ui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <vector>

#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// The Windows-style filter list of the dialogs: "*.dbc (*.dbc)", "all files (*.*)". Qt reads
// "*.*" as every file with a dot, so it becomes "*" to show every file.
QStringList NameFilters(const FileDialogRequest& request) {
    QStringList filters;
    for (const FileFilter& filter : request.Filters) {
        const QString pattern =
            filter.Pattern == "*.*" ? QStringLiteral("*") : ToQt(filter.Pattern);
        filters << ToQt(filter.Name) + " (" + pattern + ")";
    }
    return filters;
}

// A busy cursor left over from the command that asks would hide the dialog's own cursor.
class NormalCursor {
  public:
    NormalCursor() : wasBusy_(QApplication::overrideCursor() != nullptr) {
        if (wasBusy_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~NormalCursor() {
        if (wasBusy_) {
            QApplication::restoreOverrideCursor();
        }
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

  private:
    bool wasBusy_;
};

// The platform's own dialogs take no widgets of ours, so a dialog with check boxes is Qt's,
// each box spanning a row of its own at the bottom of its grid, under the file type list.
QCheckBox* AddCheckBox(QFileDialog& dialog, const FileDialogCheckBox& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* box = new QCheckBox(ToQt(request.Label), &dialog);
    box->setObjectName(ToQt(request.Name));
    box->setChecked(request.Checked);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    } else if (dialog.layout() != nullptr) {
        dialog.layout()->addWidget(box);
    }
    return box;
}

}  // namespace

void QtDialogs::ShowMessage(const std::string& text) {
    NormalCursor cursor;
    QMessageBox::information(parent_, QApplication::applicationDisplayName(), ToQt(text));
}

void QtDialogs::ShowError(const std::string& text) {
    NormalCursor cursor;
    QMessageBox::critical(parent_, QApplication::applicationDisplayName(), ToQt(text));
}

bool QtDialogs::AskYesNo(const std::string& text) {
    NormalCursor cursor;
    return QMessageBox::question(parent_, QApplication::applicationDisplayName(), ToQt(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::AskYesNoDefaultNo(const std::string& text) {
    NormalCursor cursor;
    return QMessageBox::question(parent_, QApplication::applicationDisplayName(), ToQt(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::Confirm(const std::string& text, const std::string& confirmLabel) {
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), ToQt(text),
                    QMessageBox::NoButton, parent_);
    QPushButton* confirm = box.addButton(ToQt(confirmLabel), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == confirm;
}

UnsavedChangesAnswer QtDialogs::AskSaveChanges(const std::string& text) {
    NormalCursor cursor;
    switch (QMessageBox::warning(parent_, QApplication::applicationDisplayName(), ToQt(text),
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save)) {
        case QMessageBox::Save:
            return UnsavedChangesAnswer::Save;
        case QMessageBox::Discard:
            return UnsavedChangesAnswer::Discard;
        default:
            return UnsavedChangesAnswer::Cancel;
    }
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileDialogRequest& request, bool save) {
    NormalCursor cursor;
    QFileDialog dialog(parent_, ToQt(request.Title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(request));
    dialog.setDefaultSuffix(ToQt(request.DefaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
    if (const std::string folder = folders_.FolderFor(request); !folder.empty()) {
        dialog.setDirectory(ToQt(folder));
    }
    if (!request.FileName.empty()) {
        dialog.selectFile(ToQt(request.FileName));
    }
    std::vector<QCheckBox*> boxes;
    for (const FileDialogCheckBox& box : request.CheckBoxes) {
        boxes.push_back(AddCheckBox(dialog, box));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (request.CheckBoxes[i].Answer != nullptr) {
            *request.CheckBoxes[i].Answer = boxes[i]->isChecked();
        }
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    folders_.Chosen(request, FromQt(QFileInfo(chosen).absolutePath()));
    return FromQt(chosen);
}

std::optional<std::string> QtDialogs::ChooseOpenFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> QtDialogs::ChooseSaveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> QtDialogs::ChooseFolder(const std::string& title,
                                                   const std::string& startFolder) {
    NormalCursor cursor;
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, ToQt(title), ToQt(startFolder));
    return folder.isEmpty() ? std::nullopt : std::optional<std::string>(FromQt(folder));
}

std::optional<std::string> QtDialogs::AskText(const std::string& prompt, const std::string& text) {
    NormalCursor cursor;
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(parent_, QApplication::applicationDisplayName(), ToQt(prompt),
                              QLineEdit::Normal, ToQt(text), &accepted);
    return accepted ? std::optional<std::string>(FromQt(answer)) : std::nullopt;
}

int QtDialogs::RunModal(QDialog& dialog) {
    NormalCursor cursor;
    return dialog.exec();
}

}  // namespace kelvane

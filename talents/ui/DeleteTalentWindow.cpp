#include "talents/ui/DeleteTalentWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"
#include "talents/TalentEditor.h"

namespace kelvane {

DeleteTalentWindow::DeleteTalentWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), dialogs_(dialogs), id_(new QLineEdit(this)) {
    setObjectName("Form19");
    setWindowTitle("Form19");
    id_->setObjectName("Edit1");

    auto* remove = new QPushButton("Delete", this);
    remove->setObjectName("Button1");
    connect(remove, &QPushButton::clicked, this, &DeleteTalentWindow::DeleteClicked);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Button2");
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Type ID of Talent to delete", this));
    layout->addWidget(id_);
    layout->addLayout(buttons);
    setFixedSize(251, 120);
}

void DeleteTalentWindow::ShowInFront() {
    show();
    raise();
    activateWindow();
}

void DeleteTalentWindow::DeleteClicked() {
    // A failed delete leaves the window open with the ID, for the user to correct or cancel.
    if (RunGuarded(dialogs_, [this] { editor_.DeleteTalent(FromQt(id_->text())); })) {
        close();
    }
}

}  // namespace kelvane

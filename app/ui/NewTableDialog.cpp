#include "app/ui/NewTableDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <optional>

#include "shell/CommandGuard.h"
#include "shell/UserDialogs.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr QChar kMaskBlank = u'_';

}  // namespace

NewTableDialog::NewTableDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("FormCreateNewDialog");
    setWindowTitle("Please enter fields count");

    auto* group = new QGroupBox("Fields", this);
    group->setObjectName("RadioGroupCreateKind");
    emptyChoice_ = new QRadioButton("empty (enter field count)", group);
    importChoice_ = new QRadioButton("import field defs from *.ini", group);
    emptyChoice_->setChecked(true);

    fieldCount_ = new QLineEdit(group);
    fieldCount_->setObjectName("MaskEditFCount");
    // Up to five digits over a row of blanks shown as "_".
    fieldCount_->setInputMask(QStringLiteral("99999;") + kMaskBlank);
    iniFileName_ = new QLineEdit(group);
    iniFileName_->setObjectName("EditIniFName");
    auto* browse = new QPushButton("...", group);
    browse->setObjectName("ButtonBrowseIni");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &NewTableDialog::BrowseIniClicked);

    auto* groupLayout = new QGridLayout(group);
    groupLayout->addWidget(emptyChoice_, 0, 0);
    groupLayout->addWidget(fieldCount_, 0, 1);
    groupLayout->addWidget(importChoice_, 1, 0);
    groupLayout->addWidget(iniFileName_, 1, 1);
    groupLayout->addWidget(browse, 1, 2);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BitBtn2");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setFixedSize(407, 153);
}

NewTableRequest NewTableDialog::Request() const {
    NewTableRequest request;
    request.From = emptyChoice_->isChecked() ? NewTableRequest::Source::FieldCount
                                             : NewTableRequest::Source::FieldDefFile;
    // The count as shown, with its unfilled places as blanks; New removes them.
    request.FieldCountText = FromQt(fieldCount_->displayText().replace(kMaskBlank, u' '));
    request.FieldDefFilePath = FromQt(iniFileName_->text());
    return request;
}

void NewTableDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnScreen(*this);
        // The input of the chosen kind takes what is typed first, replacing what the last use
        // left in it.
        QLineEdit* input = emptyChoice_->isChecked() ? fieldCount_ : iniFileName_;
        input->setFocus();
        input->selectAll();
    }
}

void NewTableDialog::BrowseIniClicked() {
    RunGuarded(dialogs_, [this] {
        const std::optional<std::string> path = dialogs_.ChooseOpenFile(
            {"Ini file with field defs", {{"*.ini", "*.ini"}, {"*.*", "*.*"}}, "", ""});
        if (path) {
            iniFileName_->setText(ToQt(*path));
        }
    });
}

}  // namespace kelvane

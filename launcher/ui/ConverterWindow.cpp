#include "launcher/ui/ConverterWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "launcher/ConverterCommand.h"
#include "launcher/ui/ConverterPicture.h"
#include "shell/CommandGuard.h"
#include "shell/UserDialogs.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kFieldWidth = 377;

QLabel* AddLabel(QLayout* layout, const char* objectName, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setObjectName(QString::fromLatin1(objectName));
    layout->addWidget(label);
    return label;
}

QLineEdit* AddField(QLayout* layout, const char* objectName) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(objectName));
    field->setFixedWidth(kFieldWidth);
    layout->addWidget(field);
    return field;
}

QPushButton* MakeButton(const char* objectName, const char* text) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

}  // namespace

ConverterWindow::ConverterWindow(UserDialogs& dialogs, std::string sideFileFolder, QWidget* parent,
                                 CommandStarter starter)
    : QWidget(parent, Qt::Window),
      dialogs_(dialogs),
      sideFileFolder_(std::move(sideFileFolder)),
      starter_(std::move(starter)) {
    setObjectName("Form20");
    setWindowTitle("BLP Converter");
    setFixedSize(428, 241);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    AddLabel(layout, "Label1", "Source File :");
    source_ = AddField(layout, "Edit1");
    AddLabel(layout, "Label2", "Destination File :");
    destination_ = AddField(layout, "Edit2");

    auto* middle = new QHBoxLayout;
    QPushButton* doIt = MakeButton("Button2", "Do it...");
    QPushButton* cancel = MakeButton("Button1", "Cancel");
    auto* image = new QLabel;
    image->setObjectName("Image1");
    image->setFixedSize(105, 105);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(ConverterPicture());
    middle->addWidget(doIt, 0, Qt::AlignBottom);
    middle->addStretch();
    middle->addWidget(image);
    middle->addStretch();
    middle->addWidget(cancel, 0, Qt::AlignBottom);
    layout->addLayout(middle);

    AddLabel(layout, "Label3", "NOTE : I did NOT made image conveter, someone else did...");
    AddLabel(layout, "Label4",
             "What this form does is runs BLPConverter.exe with params typed here...");
    AddLabel(layout, "Label5",
             "Also note that BLPConverter.exe needs to be  located in this program dir \\extra");

    connect(doIt, &QPushButton::clicked, this, [this] { ConvertClicked(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

bool ConverterWindow::StartDetached(const std::string& commandFile) {
    if constexpr (NativeShell == CommandShell::Posix) {
        return QProcess::startDetached("/bin/sh", {ToQt(commandFile)});
    } else {
        return QProcess::startDetached("cmd.exe", {"/c", ToQt(commandFile)});
    }
}

// Writes the command file and starts it; the window stays open for another run.
void ConverterWindow::ConvertClicked() {
    RunGuarded(dialogs_, [this] {
        const std::string line = ConverterCommandLine(FromQt(source_->text()),
                                                      FromQt(destination_->text()), NativeShell);
        const std::string commandFile = ConverterCommandFile(sideFileFolder_, NativeShell);
        WriteConverterCommandFile(commandFile, line, NativeShell);
        if (!starter_(commandFile)) {
            dialogs_.ShowMessage(
                "BlPConverter is missing from <programdir>\\Extra... insert it there");
        }
    });
}

}  // namespace kelvane

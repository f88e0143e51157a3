#include "editors/ui/DatGeneratorWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <utility>

#include "core/table/RecordTable.h"
#include "editors/DatKinds.h"
#include "shell/CommandGuard.h"
#include "shell/UserDialogs.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"

namespace kelvane {

DatGeneratorWindow::DatGeneratorWindow(const char* objectName, const char* caption,
                                       const char* tableName, RecordTable& table,
                                       UserDialogs& dialogs, std::string sideFileFolder,
                                       QWidget* parent)
    : QWidget(parent, Qt::Tool),
      kind_(*DatKindForTable(tableName)),
      table_(table),
      dialogs_(dialogs),
      sideFileFolder_(std::move(sideFileFolder)) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));

    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel("Press Generate");
    status_->setObjectName("Label6");
    status_->setStyleSheet("color: red; font-weight: bold;");
    progress_ = new QProgressBar;
    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, DatProgressMaximum);
    progress_->setValue(0);
    auto* generate = new QPushButton("Generate");
    generate->setObjectName("Button1");
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addWidget(generate, 0, Qt::AlignCenter);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));

    connect(generate, &QPushButton::clicked, this, [this] { GenerateClicked(); });
}

bool DatGeneratorWindow::ShowAndGenerate() {
    CentreOnScreen(*this);
    show();
    raise();
    return GenerateClicked();
}

// A failure leaves the window open with the status it reached; nothing is written then.
bool DatGeneratorWindow::GenerateClicked() {
    return RunGuarded(dialogs_, [this] {
        GenerateDatFile(table_, kind_, sideFileFolder_, static_cast<DatGenerationView&>(*this));
        dialogs_.ShowMessage(DatGenerationComplete);
        close();
    });
}

void DatGeneratorWindow::SetStatus(std::string_view text) {
    status_->setText(ToQt(text));
    status_->repaint();
}

void DatGeneratorWindow::SetProgress(int position) {
    progress_->setValue(position);
}

void DatGeneratorWindow::Pause(std::chrono::milliseconds duration) {
    QThread::msleep(static_cast<unsigned long>(duration.count()));
}

}  // namespace kelvane

#include "shell/ui/LoadProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kelvane {

LoadProgressWindow::LoadProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), progressBar_(new QProgressBar(this)) {
    setObjectName("LoadDbcShow");
    setWindowTitle("Loading dbc...");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Wait untill file is loaded...", this);
    label->setObjectName("Label1");
    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setTextVisible(false);
    layout->addWidget(label);
    layout->addWidget(progressBar_);
    resize(300, 70);
}

}  // namespace kelvane

#include "shell/ui/LongWorkDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {
namespace {

// The bar's steps: totals beyond an int (bytes of a big file) are shown in thousandths.
constexpr int kBarSteps = 1000;

}  // namespace

LongWorkDialog::LongWorkDialog(QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("LongWorkDialog"));
    setWindowModality(Qt::ApplicationModal);
    label_->setObjectName(QStringLiteral("LongWorkLabel"));
    bar_->setObjectName(QStringLiteral("LongWorkProgressBar"));
    bar_->setTextVisible(false);
    cancelButton_->setObjectName(QStringLiteral("LongWorkCancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    connect(cancelButton_, &QPushButton::clicked, this, &LongWorkDialog::reject);
    resize(340, 110);
}

void LongWorkDialog::Start(const QString& title) {
    cancelled_ = false;
    setWindowTitle(title);
    label_->setText(title + QStringLiteral("..."));
    bar_->setRange(0, 0);
    cancelButton_->setEnabled(true);
}

void LongWorkDialog::ShowProgress(int64_t done, int64_t total) {
    if (total <= 0) {
        bar_->setRange(0, 0);
        return;
    }
    bar_->setRange(0, kBarSteps);
    bar_->setValue(static_cast<int>(done * kBarSteps / total));
}

void LongWorkDialog::reject() {
    cancelled_ = true;
    cancelButton_->setEnabled(false);
    label_->setText(windowTitle() + QStringLiteral(": cancelling..."));
}

}  // namespace kelvane

#include "exchange/ui/MemoToolWindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "shell/CommandGuard.h"

namespace kelvane {

MemoToolWindow::MemoToolWindow(const char* objectName, const char* caption, UserDialogs& dialogs,
                               QWidget* parent)
    : QWidget(parent, Qt::Tool), dialogs_(dialogs) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panelLayout_ = new QHBoxLayout(panel);
    panelLayout_->setContentsMargins(2, 2, 2, 2);
    panelLayout_->addStretch(1);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Memo1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(memo_, 1);
    resize(420, 300);
}

void MemoToolWindow::AddPanelButton(const char* objectName, const char* caption,
                                    std::function<void()> action) {
    auto* button = new QToolButton(panelLayout_->parentWidget());
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(QString::fromLatin1(caption));
    button->setAutoRaise(true);
    // In front of the stretch that keeps the buttons on the left.
    panelLayout_->insertWidget(panelLayout_->count() - 1, button);
    connect(button, &QToolButton::clicked, this,
            [this, run = std::move(action)] { RunGuarded(dialogs_, run); });
}

void MemoToolWindow::ShowInFront() {
    show();
    raise();
    activateWindow();
}

}  // namespace kelvane

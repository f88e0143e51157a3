#include "editors/ui/DatQuestionWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/DatKinds.h"
#include "editors/ui/DatGeneratorWindow.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"

namespace kelvane {

DatQuestionWindow::DatQuestionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("AskDiag");
    setWindowTitle("AskDiag");

    auto* layout = new QVBoxLayout(this);
    question_ = new QLabel;
    question_->setObjectName("Label1");
    auto* note = new QLabel("It's takes just a few seconds...");
    note->setObjectName("Label2");
    auto* yes = new QPushButton("&Yes");
    yes->setObjectName("Button1");
    auto* no = new QPushButton("&No");
    no->setObjectName("Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch();
    layout->addWidget(question_);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(yes, &QPushButton::clicked, this, [this] { YesClicked(); });
    connect(no, &QPushButton::clicked, this, &QWidget::close);
}

void DatQuestionWindow::SetGenerators(DatGeneratorWindow& items, DatGeneratorWindow& creatures,
                                      DatGeneratorWindow& gameObjects) {
    items_ = &items;
    creatures_ = &creatures;
    gameObjects_ = &gameObjects;
}

void DatQuestionWindow::Ask(const DatKind& kind) {
    question_->setText(ToQt(kind.Question));
    kindWord_ = kind.KindWord;
    adjustSize();
    CentreOnScreen(*this);
    show();
    raise();
}

// The question stays open when the generation fails, so the user may try again.
void DatQuestionWindow::YesClicked() {
    DatGeneratorWindow* generator = kindWord_ == "creatures" ? creatures_
                                    : kindWord_ == "items"   ? items_
                                    : kindWord_ == "go"      ? gameObjects_
                                                             : nullptr;
    if (generator != nullptr && generator->ShowAndGenerate()) {
        close();
    }
}

}  // namespace kelvane

#include "editors/ui/QuestControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <initializer_list>

#include "editors/ui/EditorControls.h"
#include "editors/ui/IntegerSpin.h"
#include "editors/ui/PickListCombo.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kStep = 1;

// A text control for a page, which takes it over when it is added there.
template <typename Text>
Text* MakeText(const char* objectName) {
    auto* text = new Text;
    text->setObjectName(QString::fromLatin1(objectName));
    return text;
}

// A page of the text tabs: its caption, the text and the hints below it.
template <typename Text>
Text* AddPage(QTabWidget& pages, const char* tab, const char* caption, Text* text,
              std::initializer_list<const char*> hints) {
    auto* page = new QWidget(&pages);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(MakeLabel(caption, page));
    layout->addWidget(text, 1);
    for (const char* hint : hints) {
        layout->addWidget(MakeLabel(hint, page));
    }
    pages.addTab(page, QString::fromLatin1(tab));
    return text;
}

QTabWidget* BuildPages(QuestControls& c, QWidget& window) {
    auto* pages = new QTabWidget(&window);
    pages->setObjectName("PageControl1");
    // Tabs drawn as flat buttons over the pages rather than as a folder's tabs.
    pages->setDocumentMode(true);
    pages->tabBar()->setDrawBase(false);

    c.Objectives =
        AddPage(*pages, "Short", "Short Description :", MakeText<QPlainTextEdit>("Desc"), {});
    c.Details =
        AddPage(*pages, "Details", "Type all details here :", MakeText<QTextEdit>("DescDetails"),
                {"use $N to add player's name..."});
    c.Details->setPlainText("DescDetails");
    c.IncompleteText = AddPage(
        *pages, "Incomplete", "Quest Incomplete text :", MakeText<QPlainTextEdit>("DescInComplete"),
        {"This text will be shown by finishing npc. "});
    c.EndText = AddPage(*pages, "Pre-Completion",
                        "Pre-Completion text :", MakeText<QPlainTextEdit>("DescPre"),
                        {"This text will be shown before player get reward for quest"});
    c.CompleteText = AddPage(
        *pages, "Completion", "Completion Text :", MakeText<QPlainTextEdit>("DescCompletion"),
        {"This text will be shown when player gets/chooses reward, if there is no text here",
         "initial quest text will be shown."});
    pages->setCurrentWidget(c.CompleteText->parentWidget());
    return pages;
}

void AddLinkFields(QuestControls& c, QWidget& window, QGridLayout& grid) {
    LabelledRows rows(grid, 0);
    c.Id = rows.Add("ID :", MakeTextField("IDEdit", &window));
    c.OpenedBy = rows.Add("Opened by quest", new PickListCombo("ComboOpenedBy", &window));
    c.Next = rows.Add("Next Quest", new PickListCombo("ComboNext", &window));
    c.RequiredLevel = rows.Add("Req. Level", new IntegerSpin("ReqLvlEdit", kStep, &window));
    c.QuestLevel = rows.Add("Quest Level", new IntegerSpin("QuestLvlEdit", kStep, &window));
}

std::string PlainText(const QPlainTextEdit* text) {
    return FromQt(text->toPlainText());
}

}  // namespace

QuestControls BuildQuestControls(QWidget& window) {
    QuestControls controls;
    auto* layout = new QVBoxLayout(&window);
    auto* name = new QHBoxLayout;
    layout->addLayout(name);
    name->addWidget(MakeLabel("Name :", &window));
    controls.Name = MakeTextField("NameEdit", &window);
    name->addWidget(controls.Name, 1);

    controls.Pages = BuildPages(controls, window);
    layout->addWidget(controls.Pages, 1);
    auto* links = new QGridLayout;
    layout->addLayout(links);
    AddLinkFields(controls, window, *links);

    controls.Apply = MakeButton("Button1", "Apply", &window);
    controls.LoadData = MakeButton("LoadData", "LoadData", &window);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(controls.LoadData);
    buttons->addStretch();
    buttons->addWidget(controls.Apply);
    layout->addLayout(buttons);
    return controls;
}

QuestForm GatherQuestForm(const QuestControls& c) {
    QuestForm form;
    form.Name = FromQt(c.Name->text());
    form.Objectives = PlainText(c.Objectives);
    form.Details = FromQt(c.Details->toPlainText());
    form.IncompleteText = PlainText(c.IncompleteText);
    form.CompleteText = PlainText(c.CompleteText);
    form.EndText = PlainText(c.EndText);
    form.Id = FromQt(c.Id->text());
    form.OpenedBy = c.OpenedBy->Selected();
    form.Next = c.Next->Selected();
    form.RequiredLevel = c.RequiredLevel->Number();
    form.QuestLevel = c.QuestLevel->Number();
    return form;
}

}  // namespace kelvane

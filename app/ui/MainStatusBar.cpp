#include "app/ui/MainStatusBar.h"

#include <QLabel>

#include "app/StatusTexts.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// An empty part takes no room, so the parts after it close up.
void SetPartText(QLabel& part, const std::string& text) {
    part.setText(ToQt(text));
    part.setVisible(!text.empty());
}

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar1");
    // The last command's result takes what room is left; the facts about the table stay put.
    result_ = AddPart("CommandResultLabel", 1);
    position_ = AddPart("RecordPositionLabel", 0);
    shown_ = AddPart("ShownCountLabel", 0);
    unsaved_ = AddPart("UnsavedLabel", 0);
    definitions_ = AddPart("DefinitionsLabel", 0);
}

QLabel* MainStatusBar::AddPart(const char* objectName, int stretch) {
    auto* part = new QLabel(this);
    part->setObjectName(QString::fromLatin1(objectName));
    part->setContentsMargins(6, 0, 6, 0);
    part->hide();
    if (stretch > 0) {
        addWidget(part, stretch);
    } else {
        addPermanentWidget(part);
    }
    return part;
}

void MainStatusBar::ShowPosition(int currentRow, int recordCount, bool tableOpen) {
    SetPartText(*position_, RecordPositionText(currentRow, recordCount, tableOpen));
}

void MainStatusBar::ShowShownCount(std::optional<int> shown) {
    SetPartText(*shown_, ShownRecordsText(shown));
}

void MainStatusBar::ShowUnsaved(bool unsaved) {
    SetPartText(*unsaved_, UnsavedText(unsaved));
}

void MainStatusBar::ShowDefinitions(const DefinitionsFit& fit) {
    SetPartText(*definitions_, DefinitionsText(fit));
    definitions_->setToolTip(ToQt(DefinitionsDetails(fit)));
}

void MainStatusBar::ShowCommandResult(const std::string& result) {
    SetPartText(*result_, result);
}

}  // namespace kelvane

#pragma once

#include "editors/QuestRecord.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QWidget;

namespace kelvane {

class IntegerSpin;
class PickListCombo;

// The controls of the quest editor, owned by its window.
struct QuestControls {
    QLineEdit* Name = nullptr;
    QTabWidget* Pages = nullptr;
    QPlainTextEdit* Objectives = nullptr;
    QTextEdit* Details = nullptr;
    QPlainTextEdit* IncompleteText = nullptr;
    QPlainTextEdit* CompleteText = nullptr;
    QPlainTextEdit* EndText = nullptr;
    QLineEdit* Id = nullptr;
    PickListCombo* OpenedBy = nullptr;
    PickListCombo* Next = nullptr;
    IntegerSpin* RequiredLevel = nullptr;
    IntegerSpin* QuestLevel = nullptr;
    QPushButton* Apply = nullptr;
    QPushButton* LoadData = nullptr;
};

// Creates the quest editor's controls and lays them out on the window: the texts start empty
// except the details, which start with the line "DescDetails".
QuestControls BuildQuestControls(QWidget& window);

// What the controls hold now, multi-line texts with LF line ends.
QuestForm GatherQuestForm(const QuestControls& controls);

}  // namespace kelvane

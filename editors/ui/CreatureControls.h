#pragma once

#include "editors/CreatureRecord.h"

class QComboBox;
class QLineEdit;
class QToolButton;
class QPushButton;
class QWidget;

namespace kelvane {

class IntegerSpin;
class PickListCombo;
class RadioGroup;

// The controls of the creature editor, owned by its window.
struct CreatureControls {
    QLineEdit* Id = nullptr;
    QLineEdit* Name = nullptr;
    IntegerSpin* Level = nullptr;
    PickListCombo* Model = nullptr;
    PickListCombo* Faction = nullptr;
    IntegerSpin* Health = nullptr;
    IntegerSpin* Mana = nullptr;
    QComboBox* Type = nullptr;
    QComboBox* Elite = nullptr;
    QComboBox* Family = nullptr;
    QLineEdit* Guild = nullptr;
    IntegerSpin* Attack = nullptr;
    QLineEdit* Speed = nullptr;
    QLineEdit* Size = nullptr;
    QLineEdit* Flags1 = nullptr;
    QLineEdit* SellTemplate = nullptr;
    QLineEdit* TrainTemplate = nullptr;
    QLineEdit* LootTemplate = nullptr;
    QLineEdit* NpcText = nullptr;
    QLineEdit* BoundingRadius = nullptr;
    QLineEdit* CombatReach = nullptr;
    IntegerSpin* Money = nullptr;
    QLineEdit* EquipModel = nullptr;
    IntegerSpin* Damage = nullptr;
    RadioGroup* FlagsInput = nullptr;
    QComboBox* NpcFlags = nullptr;
    QLineEdit* NpcFlagsText = nullptr;
    QToolButton* FindModel = nullptr;
    QToolButton* FindFaction = nullptr;
    QPushButton* Apply = nullptr;
    QPushButton* Close = nullptr;
};

// Creates the creature editor's controls, empty, and lays them out on the window.
CreatureControls BuildCreatureControls(QWidget& window);

// How the NPC flags are entered, as chosen in FlagsInput.
NpcFlagsInput SelectedFlagsInput(const CreatureControls& controls);

// What the controls hold now.
CreatureForm GatherCreatureForm(const CreatureControls& controls);

}  // namespace kelvane

#include "editors/ui/CreatureControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/ui/EditorControls.h"
#include "editors/ui/IntegerSpin.h"
#include "editors/ui/PickListCombo.h"
#include "editors/ui/RadioGroup.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kStep = 1;
constexpr int kPoolStep = 10;  // health and mana go in tens

// The position of "Type" in FlagsInput, after "Choose from list".
constexpr int kType = 1;

std::string TextOf(const QLineEdit* field) {
    return FromQt(field->text());
}

// The fields of the record in two columns: identity, looks and kind on the left, the rest on
// the right.
void AddFields(CreatureControls& c, QWidget& window, QGridLayout& grid) {
    LabelledRows left(grid, 0);
    c.Id = left.Add("ID", MakeTextField("IDEdit", &window));
    c.Name = left.Add("Name", MakeTextField("NameEdit", &window));
    c.Level = left.Add("Level", new IntegerSpin("LVLEdit", kStep, &window));
    c.FindModel = MakeSpeedButton("SpeedButton1", "F", &window);
    c.Model = left.Add("Model", new PickListCombo("ComboModel", &window), c.FindModel);
    c.FindFaction = MakeSpeedButton("SpeedButton2", "F", &window);
    c.Faction = left.Add("Faction", new PickListCombo("ComboFaction", &window), c.FindFaction);
    c.Health = left.Add("Health", new IntegerSpin("HealthEdit", kPoolStep, &window));
    c.Mana = left.Add("Mana", new IntegerSpin("ManaEdit", kPoolStep, &window));
    c.Type = left.Add("Type", MakeFixedList("ComboType", CreatureTypes, &window));
    c.Elite = left.Add("Elite", MakeFixedList("ComboElite", CreatureEliteKinds, &window));
    c.Family = left.Add("Family", MakeFixedList("ComboFamily", CreatureFamilies, &window));
    c.Guild = left.Add("Guild", MakeTextField("GuildEdit", &window));
    c.Attack = left.Add("Attack", new IntegerSpin("AttackEdit", kStep, &window));

    LabelledRows right(grid, 3);
    c.Speed = right.Add("Speed", MakeTextField("SpeedEdit", &window));
    c.Size = right.Add("Size", MakeTextField("SizeEdit", &window));
    c.Flags1 =
        right.Add("flags1", MakeTextField("flags1Edit", &window), MakeLabel("<-- HEX", &window));
    c.SellTemplate = right.Add("Sell Template", MakeTextField("SellEdit", &window));
    c.TrainTemplate = right.Add("Train Template", MakeTextField("TrainEdit", &window));
    c.LootTemplate = right.Add("Loot Template", MakeTextField("LootEdit", &window));
    c.NpcText = right.Add("NPC Text", MakeTextField("NPCTextEdit", &window));
    c.BoundingRadius = right.Add("Bounding Radius", MakeTextField("BoundRadEdit", &window));
    c.CombatReach = right.Add("Combat Reach", MakeTextField("CombatReachEdit", &window));
    c.Money = right.Add("Money", new IntegerSpin("MoneyEdit", kStep, &window));
    c.EquipModel = right.Add("Equip Model", MakeTextField("EquipEdit", &window));
    c.Damage = right.Add("Damage", new IntegerSpin("DamageEdit", kStep, &window));
}

QWidget* BuildNpcFlagsGroup(CreatureControls& c, QWidget& window) {
    auto* group = new QGroupBox("NPC Flags ", &window);
    c.FlagsInput =
        new RadioGroup("FlagsInput", "Input type", {"Choose from list", "Type"}, 2, group);
    c.NpcFlags = MakeFixedList("ComboNPCFlags", NpcFlagEntries, group);
    c.NpcFlagsText = MakeTextField("NPCFlagsEdit", group);
    c.NpcFlagsText->setEnabled(false);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(c.FlagsInput);
    layout->addWidget(c.NpcFlags);
    layout->addWidget(c.NpcFlagsText);
    return group;
}

}  // namespace

CreatureControls BuildCreatureControls(QWidget& window) {
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    CreatureControls controls;
    AddFields(controls, window, *grid);
    layout->addWidget(BuildNpcFlagsGroup(controls, window));

    controls.Apply = MakeButton("Button1", "&Apply", &window);
    controls.Close = MakeButton("Button2", "&Close", &window);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(controls.Apply);
    buttons->addWidget(controls.Close);
    layout->addLayout(buttons);
    return controls;
}

NpcFlagsInput SelectedFlagsInput(const CreatureControls& controls) {
    return controls.FlagsInput->ItemIndex() == kType ? NpcFlagsInput::Type
                                                     : NpcFlagsInput::ChooseFromList;
}

CreatureForm GatherCreatureForm(const CreatureControls& c) {
    CreatureForm form;
    form.Id = TextOf(c.Id);
    form.Name = TextOf(c.Name);
    form.Level = c.Level->Number();
    form.Model = c.Model->Selected();
    form.Faction = c.Faction->Selected();
    form.Health = c.Health->Number();
    form.Mana = c.Mana->Number();
    form.Type = c.Type->currentIndex();
    form.Elite = c.Elite->currentIndex();
    form.Family = c.Family->currentIndex();
    form.Guild = TextOf(c.Guild);
    form.Attack = c.Attack->Number();
    form.Speed = TextOf(c.Speed);
    form.Size = TextOf(c.Size);
    form.Flags1 = TextOf(c.Flags1);
    form.SellTemplate = TextOf(c.SellTemplate);
    form.TrainTemplate = TextOf(c.TrainTemplate);
    form.LootTemplate = TextOf(c.LootTemplate);
    form.NpcText = TextOf(c.NpcText);
    form.BoundingRadius = TextOf(c.BoundingRadius);
    form.CombatReach = TextOf(c.CombatReach);
    form.Money = c.Money->Number();
    form.EquipModel = TextOf(c.EquipModel);
    form.FlagsInput = SelectedFlagsInput(c);
    form.NpcFlags = c.NpcFlags->currentIndex();
    form.NpcFlagsText = TextOf(c.NpcFlagsText);
    form.Damage = c.Damage->Number();
    return form;
}

}  // namespace kelvane

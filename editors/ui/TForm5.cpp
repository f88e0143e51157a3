#include "editors/ui/TForm5.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

#include "core/TablePaths.h"
#include "editors/ColumnAssignment.h"
#include "editors/ui/PickListCombo.h"
#include "editors/ui/RadioGroup.h"
#include "shell/CommandGuard.h"

namespace kelvane {

TForm5::TForm5(RecordTable& table, UserDialogs& dialogs, std::string programFolder, QWidget* parent)
    : EditorWindow("Form5", "Creature Editor", Qt::Tool, parent),
      table_(table),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      controls_(BuildCreatureControls(*this)) {
    connect(controls_.Apply, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(controls_.Close, &QPushButton::clicked, this, &QWidget::close);
    connect(controls_.FindModel, &QToolButton::clicked, this, &TForm5::ModelSearchRequested);
    connect(controls_.FindFaction, &QToolButton::clicked, this, &TForm5::FactionSearchRequested);
    connect(controls_.FlagsInput, &RadioGroup::ItemIndexChanged, this, &TForm5::FlagsInputClick);
}

void TForm5::showEvent(QShowEvent* event) {
    EditorWindow::showEvent(event);
    if (!pickListsRead_) {
        pickListsRead_ = true;
        ReadPickLists();
    }
}

void TForm5::ReadPickLists() {
    // Either file may be missing; its list then stays empty.
    RunGuarded(dialogs_, [this] {
        controls_.Model->Append(ReadPickListFile(JoinPath(programFolder_, "models.txt")));
        controls_.Faction->Append(ReadPickListFile(JoinPath(programFolder_, "factions.txt")));
    });
}

void TForm5::Button1Click() {
    RunGuarded(dialogs_, [this] {
        ApplyColumnAssignments(
            table_, CreatureAssignments(GatherCreatureForm(controls_), controls_.Model->Contents(),
                                        controls_.Faction->Contents()));
    });
}

void TForm5::FlagsInputClick() {
    const bool typed = SelectedFlagsInput(controls_) == NpcFlagsInput::Type;
    controls_.NpcFlags->setEnabled(!typed);
    controls_.NpcFlagsText->setEnabled(typed);
}

}  // namespace kelvane

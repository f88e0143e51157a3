#include "editors/ui/CreatureEditorWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

#include "core/files/TablePaths.h"
#include "core/table/RecordTable.h"
#include "editors/ColumnAssignment.h"
#include "editors/ui/PickListCombo.h"
#include "editors/ui/RadioGroup.h"
#include "shell/CommandGuard.h"

namespace kelvane {

CreatureEditorWindow::CreatureEditorWindow(RecordTable& table, UserDialogs& dialogs,
                                           std::string sideFileFolder, QWidget* parent)
    : EditorWindow("Form5", "Creature Editor", Qt::Tool, parent),
      table_(table),
      dialogs_(dialogs),
      sideFileFolder_(std::move(sideFileFolder)),
      controls_(BuildCreatureControls(*this)) {
    connect(controls_.Apply, &QPushButton::clicked, this, &CreatureEditorWindow::ApplyClicked);
    connect(controls_.Close, &QPushButton::clicked, this, &QWidget::close);
    connect(controls_.FindModel, &QToolButton::clicked, this,
            &CreatureEditorWindow::ModelSearchRequested);
    connect(controls_.FindFaction, &QToolButton::clicked, this,
            &CreatureEditorWindow::FactionSearchRequested);
    connect(controls_.FlagsInput, &RadioGroup::ItemIndexChanged, this,
            &CreatureEditorWindow::FlagsInputChanged);
}

void CreatureEditorWindow::showEvent(QShowEvent* event) {
    EditorWindow::showEvent(event);
    if (!pickListsRead_) {
        pickListsRead_ = true;
        ReadPickLists();
    }
}

void CreatureEditorWindow::ReadPickLists() {
    // Either file may be missing; its list then stays empty.
    RunGuarded(dialogs_, [this] {
        controls_.Model->Append(ReadPickListFile(JoinPath(sideFileFolder_, "models.txt")));
        controls_.Faction->Append(ReadPickListFile(JoinPath(sideFileFolder_, "factions.txt")));
    });
}

void CreatureEditorWindow::ApplyClicked() {
    RunGuarded(dialogs_, [this] {
        ApplyColumnAssignments(
            table_, CreatureAssignments(GatherCreatureForm(controls_), controls_.Model->Contents(),
                                        controls_.Faction->Contents()));
    });
}

void CreatureEditorWindow::FlagsInputChanged() {
    const bool typed = SelectedFlagsInput(controls_) == NpcFlagsInput::Type;
    controls_.NpcFlags->setEnabled(!typed);
    controls_.NpcFlagsText->setEnabled(typed);
}

}  // namespace kelvane

#include "editors/ui/QuestEditorWindow.h"

#include <QPushButton>

#include "core/table/RecordTable.h"
#include "editors/ColumnAssignment.h"
#include "editors/ui/PickListCombo.h"
#include "shell/CommandGuard.h"

namespace kelvane {

QuestEditorWindow::QuestEditorWindow(RecordTable& table, UserDialogs& dialogs, QWidget* parent)
    : EditorWindow("Form8", "Quest Editor", Qt::Window, parent),
      table_(table),
      dialogs_(dialogs),
      controls_(BuildQuestControls(*this)) {
    connect(controls_.Apply, &QPushButton::clicked, this, &QuestEditorWindow::ApplyClicked);
    connect(controls_.LoadData, &QPushButton::clicked, this, &QuestEditorWindow::LoadDataClicked);
}

void QuestEditorWindow::ApplyClicked() {
    RunGuarded(dialogs_, [this] {
        const QuestLinks links{controls_.OpenedBy->Contents(), controls_.Next->Contents()};
        ApplyColumnAssignments(table_, QuestAssignments(GatherQuestForm(controls_), links));
    });
}

void QuestEditorWindow::LoadDataClicked() {
    RunGuarded(dialogs_, [this] {
        // Each press adds every quest again after what the lists already hold.
        QuestLinks added;
        AppendQuestLinks(table_, added);
        controls_.OpenedBy->Append(added.OpenedBy);
        controls_.Next->Append(added.Next);
    });
}

}  // namespace kelvane

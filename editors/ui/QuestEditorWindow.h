#pragma once

#include "editors/ui/EditorWindow.h"
#include "editors/ui/QuestControls.h"

namespace kelvane {

class RecordTable;
class UserDialogs;

// "Quest Editor": a form for the name, texts, links and level of one quest record, written with
// "Apply" into the current record of the main window's table by column name. It never reads
// the record; "LoadData" lists the table's quests in the two link lists so that a linked quest
// can be picked by id and name.
class QuestEditorWindow : public EditorWindow {
    Q_OBJECT

  public:
    QuestEditorWindow(RecordTable& table, UserDialogs& dialogs, QWidget* parent);

  private:
    void ApplyClicked();
    void LoadDataClicked();

    RecordTable& table_;
    UserDialogs& dialogs_;
    QuestControls controls_;
};

}  // namespace kelvane

#pragma once

#include <string>

#include "editors/ui/CreatureControls.h"
#include "editors/ui/EditorWindow.h"

class QShowEvent;

namespace kelvane {

class RecordTable;
class UserDialogs;

// "Creature Editor": a form for the values of one creature record, written with "&Apply" into
// the current record of the main window's table by column name. It never reads the record;
// its fields start empty and keep what the user entered for the whole run. The model and
// faction lists come from "models.txt" and "factions.txt" in the side-file folder, read when
// the window is first shown.
class CreatureEditorWindow : public EditorWindow {
    Q_OBJECT

  public:
    CreatureEditorWindow(RecordTable& table, UserDialogs& dialogs, std::string sideFileFolder,
                         QWidget* parent);

    // The lists the model and faction search windows look through.
    PickListCombo& Models() const { return *controls_.Model; }
    PickListCombo& Factions() const { return *controls_.Faction; }

  signals:
    // The "F" buttons: the model or the faction search window is to be shown.
    void ModelSearchRequested();
    void FactionSearchRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ApplyClicked();
    void FlagsInputChanged();
    void ReadPickLists();

    RecordTable& table_;
    UserDialogs& dialogs_;
    std::string sideFileFolder_;
    CreatureControls controls_;
    bool pickListsRead_ = false;
};

}  // namespace kelvane

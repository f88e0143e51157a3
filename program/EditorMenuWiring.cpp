#include "program/EditorMenuWiring.h"

#include "app/ui/MainWindow.h"
#include "core/files/CurrentTable.h"
#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/QuestEditorWindow.h"
#include "launcher/ui/ConverterWindow.h"
#include "shell/UserDialogs.h"

namespace kelvane {

void ConnectEditorMenus(MainWindow& window, const CurrentTable& current, UserDialogs& dialogs,
                        CreatureEditorWindow& creatureEditor, QuestEditorWindow& questEditor,
                        ConverterWindow& converter) {
    const MainMenus& menus = window.Menus();
    // The creature editor writes by the column names of a creature table only.
    window.ConnectCommand({menus.EditorCreatures}, [&current, &dialogs, &creatureEditor] {
        if (current.TableName != "Creatures") {
            dialogs.ShowMessage("You must open Creatures.dbc to use Creature Editor!!!");
            return;
        }
        creatureEditor.ShowInFront();
    });
    window.ConnectCommand({menus.EditorQuests}, [&questEditor] { questEditor.ShowInFront(); });
    window.ConnectCommand({menus.BlpConverter}, [&converter] {
        converter.show();
        converter.raise();
        converter.activateWindow();
    });
}

}  // namespace kelvane

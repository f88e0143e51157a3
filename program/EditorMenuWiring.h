#pragma once

namespace kelvane {

struct CurrentTable;
class MainWindow;
class CreatureEditorWindow;
class QuestEditorWindow;
class TForm20;
class UserDialogs;

// Connects the never-shown "&Editor" menu's creature and quest editors and the hidden Tools
// entry of the converter launcher. "&Items", "&GO's" and the three .dat entries under
// "&Options" do nothing: the .dat files are offered after saving.
void ConnectEditorMenus(MainWindow& mainWindow, const CurrentTable& current, UserDialogs& dialogs,
                        CreatureEditorWindow& creatureEditor, QuestEditorWindow& questEditor,
                        TForm20& converter);

}  // namespace kelvane

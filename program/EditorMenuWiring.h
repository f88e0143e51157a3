#pragma once

namespace kelvane {

class ConverterWindow;
class CreatureEditorWindow;
struct CurrentTable;
class MainWindow;
class QuestEditorWindow;
class UserDialogs;

// Connects the never-shown "&Editor" menu's creature and quest editors and the hidden Tools
// entry of the converter launcher. "&Items", "&GO's" and the three .dat entries under
// "&Options" do nothing: the .dat files are offered after saving.
void ConnectEditorMenus(MainWindow& mainWindow, const CurrentTable& current, UserDialogs& dialogs,
                        CreatureEditorWindow& creatureEditor, QuestEditorWindow& questEditor,
                        ConverterWindow& converter);

}  // namespace kelvane

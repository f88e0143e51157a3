#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/CompareCommands.h"
#include "app/DefinitionOptions.h"
#include "app/EditorSession.h"
#include "app/ExchangeCommands.h"
#include "app/ImportCommands.h"
#include "app/SqlDumpCommands.h"
#include "app/SqliteCommands.h"
#include "program/SessionTalentFiles.h"
#include "shell/ui/QtWorkFeedback.h"
#include "talents/TalentEditor.h"

class QWidget;

namespace kelvane {

class CompareWindow;
class ConverterWindow;
class CreatureEditorWindow;
class DatQuestionWindow;
class DeleteTalentWindow;
class FieldSettingsDialog;
class LoadProgressWindow;
class MainWindow;
class ModalRunner;
class NewTableDialog;
class PresetWindow;
class QuestEditorWindow;
class TalentRanksWindow;
class TalentTreeWindow;
class UserDialogs;
struct Workspace;

// The running editor: the one open table and every window, created once at start in a fixed
// order and kept until the end; showing and closing a window only shows and hides it.
class Program {
  public:
    Program(UserDialogs& dialogs, ModalRunner& modals, std::vector<std::string> arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Workspace& Work() { return *workspace_; }
    QtWorkFeedback& Feedback() { return feedback_; }
    EditorSession& Session() { return session_; }
    kelvane::MainWindow& MainWindow() { return *mainWindow_; }
    FieldSettingsDialog& FieldSettings() { return *fieldSettings_; }
    NewTableDialog& NewTable() { return *newTable_; }
    LoadProgressWindow& LoadProgress() { return *loadProgress_; }
    PresetWindow& Presets() { return *presets_; }
    TalentEditor& Talents() { return talents_; }
    TalentTreeWindow& TalentTree() { return *talentTree_; }
    TalentRanksWindow& TalentRanks() { return *talentRanks_; }
    kelvane::DeleteTalentWindow& DeleteTalent() { return *deleteTalent_; }
    CreatureEditorWindow& CreatureEditor() { return *creatureEditor_; }
    QuestEditorWindow& QuestEditor() { return *questEditor_; }
    DatQuestionWindow& DatQuestion() { return *datQuestion_; }
    ConverterWindow& Converter() { return *converter_; }
    CompareWindow& Compare() { return *compare_; }
    // Every window of the program in the order it was created, the main window first.
    const std::vector<QWidget*>& Windows() const { return windows_; }

  private:
    template <typename Window>
    Window* Keep(Window* window) {
        windows_.push_back(window);
        return window;
    }

    std::unique_ptr<Workspace> workspace_;
    QtWorkFeedback feedback_;
    EditorSession session_;
    DefinitionOptions definitionOptions_;
    ExchangeCommands exchange_;
    ImportCommands imports_;
    SqlDumpCommands sqlDump_;
    CompareCommands comparisons_;
    SqliteCommands sqlite_;
    // The talent editor works on the main window's table through its commands.
    SessionTalentFiles talentFiles_;
    TalentEditor talents_;
    // Every other window is a child window of the main window and goes with it.
    std::unique_ptr<kelvane::MainWindow> mainWindow_;
    FieldSettingsDialog* fieldSettings_ = nullptr;
    NewTableDialog* newTable_ = nullptr;
    LoadProgressWindow* loadProgress_ = nullptr;
    PresetWindow* presets_ = nullptr;
    TalentTreeWindow* talentTree_ = nullptr;
    TalentRanksWindow* talentRanks_ = nullptr;
    kelvane::DeleteTalentWindow* deleteTalent_ = nullptr;
    CreatureEditorWindow* creatureEditor_ = nullptr;
    QuestEditorWindow* questEditor_ = nullptr;
    DatQuestionWindow* datQuestion_ = nullptr;
    ConverterWindow* converter_ = nullptr;
    CompareWindow* compare_ = nullptr;
    std::vector<QWidget*> windows_;
};

}  // namespace kelvane

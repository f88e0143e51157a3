#include "app/DefinitionOptions.h"

#include "app/EditorArguments.h"
#include "app/EditorSession.h"
#include "core/definitions/ClientBuildText.h"
#include "core/definitions/DefinitionSettingsFile.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "shell/UserDialogs.h"

namespace kelvane {

DefinitionOptions::DefinitionOptions(EditorSession& session, UserDialogs& dialogs)
    : session_(session), dialogs_(dialogs) {}

void DefinitionOptions::Start(const EditorArguments& arguments) {
    DefinitionSettings& settings = session_.Work().Settings;
    settings = arguments.Over(LoadDefinitionSettings());
    if (arguments.ChangesDefinitionSettings()) {
        SaveDefinitionSettings(settings);
    }
}

void DefinitionOptions::ChooseFolder() {
    const DefinitionSettings& current = session_.Work().Settings;
    const std::optional<std::string> folder =
        dialogs_.ChooseFolder("Definitions folder (.dbd files)", current.DbdFolder);
    if (!folder || *folder == current.DbdFolder) {
        return;
    }
    DefinitionSettings changed = current;
    changed.DbdFolder = *folder;
    Change(changed);
}

void DefinitionOptions::ChangeBuild() {
    const DefinitionSettings& current = session_.Work().Settings;
    const std::optional<std::string> typed = dialogs_.AskText(
        "Client build of your tables, such as 3.3.5.12340 or 1.12.1.5875 (empty for none):",
        ClientBuildText(current.Build));
    if (!typed) {
        return;
    }
    DefinitionSettings changed = current;
    changed.Build = ReadClientBuildText(*typed);
    if (changed.Build != current.Build) {
        Change(changed);
    }
}

void DefinitionOptions::Change(const DefinitionSettings& settings) {
    SaveDefinitionSettings(settings);
    session_.Work().Settings = settings;
    OfferReload();
}

void DefinitionOptions::OfferReload() {
    const Workspace& work = session_.Work();
    if (!work.Table.Active() || !work.LoadedFile ||
        work.Definitions.Source == DefinitionsSource::TableIni) {
        return;
    }
    if (dialogs_.AskYesNo("Reload " + FileNameOfPath(work.Current.FilePath) +
                          " with the new definitions?")) {
        session_.Reload();
    }
}

}  // namespace kelvane

#pragma once

namespace kelvane {

class EditorSession;
class UserDialogs;
struct DefinitionSettings;
struct EditorArguments;

// Where the editor looks for .dbd definition files and which client build it picks their
// layouts for: Options > "Definitions folder..." and "Client build...", and the command line's
// `--defs` and `--build`. Every change is remembered for later runs (of the command-line tool
// too). A table loaded from a file that is open when the menu changes them is offered a reload
// with the new definitions, through the session's Reload, which asks about unsaved changes; a
// table with its own TABLE.ini is not, since that file wins over any .dbd layout.
class DefinitionOptions {
  public:
    DefinitionOptions(EditorSession& session, UserDialogs& dialogs);

    // The remembered settings, with the command line's over them (and then remembered).
    void Start(const EditorArguments& arguments);
    void ChooseFolder();
    // Asks for the build, showing the current one; an empty answer clears it, one that is no
    // build fails and changes nothing.
    void ChangeBuild();

  private:
    // Remembers the settings first, so a failure to write them changes nothing.
    void Change(const DefinitionSettings& settings);
    void OfferReload();

    EditorSession& session_;
    UserDialogs& dialogs_;
};

}  // namespace kelvane

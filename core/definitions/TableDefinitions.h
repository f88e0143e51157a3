#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/definitions/DbdBuild.h"

namespace kelvane {

// Where the open table's columns got their names and kinds from.
enum class DefinitionsSource {
    None,      // no definitions: every column is an integer named by its number
    TableIni,  // the TABLE.ini beside the file (written by the user or from a preset)
    Dbd,       // a layout of TABLE.dbd in the definitions folder
};

// What a definition file says about one field beyond its name and kind, for the grid's
// header tooltips.
struct ColumnHelp {
    std::string Comment;
    std::string ForeignKey;  // "Table::Column", or empty
    bool IsKey = false;
};

// Which definitions the table was loaded with, as the status bar and `info` tell it.
struct TableDefinitions {
    DefinitionsSource Source = DefinitionsSource::None;
    // "Spell.ini" or "Spell.dbd"; empty for none.
    std::string File;
    // The TABLE.ini's bytes are those of a built-in preset.
    bool FromPreset = false;
    // The build whose .dbd layout was used, and whether no build was set to choose it by.
    std::optional<DbdBuild> Build;
    bool ChosenWithoutBuild = false;
    // How the .dbd layout was chosen, or why none fits; empty when there is nothing to say.
    std::string Message;
    // Entry i describes field i (column i + 1); empty entries when nothing is known.
    std::vector<ColumnHelp> Help;
    // With no definitions: how many columns look like texts (a guess that is never applied).
    int TextLikeColumns = 0;
};

// "Spell.dbd, build 3.3.5.12340" (", chosen without a build"), "Spell.ini", "Spell.ini (preset)" or
// "No definitions; 3 columns look like texts".
std::string DefinitionsSummary(const TableDefinitions& definitions);

}  // namespace kelvane

#pragma once

#include <string>
#include <string_view>

#include "import/RecordImport.h"

namespace kelvane {

class RecordTable;

// The record importers of the "&Import" menu. Each appends one record per section of a script
// file to the open table, matching keys to column names; the user saves the table afterwards.
enum class ScriptImport {
    Scp,        // "Import from *.scp": any script, every key by its column
    WorldSave,  // "Import world.save"
    Quests,     // "Import quests.tt"
    ItemPages,  // "Import itempages.tt"
};

// How the shared open dialog is preset before an import. Its filter offers Pattern and then
// "all" (*.*); an empty FileName clears the name field.
struct ScriptDialogPreset {
    std::string_view FileName;
    std::string_view Pattern;
};

inline constexpr std::string_view ScriptDialogTitle = "Open scp file";
inline constexpr std::string_view AllFilesChoice = "all";

ScriptDialogPreset DialogPresetFor(ScriptImport kind);

// The whole run on a chosen file: the table's grid is suspended meanwhile; the caller shows the
// busy cursor around it. Fails with "Cannot open file "%s". %s" before anything changes, and
// with a KelvaneError naming the file when memory runs out; every other failure is passed over
// and counted in the report. progress hears of every section and may stop the import, which
// then leaves the table as it was.
ImportReport ImportScriptFile(RecordTable& table, ScriptImport kind, const std::string& path,
                              const WorkProgress& progress = {});

// The same on the lines of a script already read.
ImportReport ImportScript(RecordTable& table, ScriptImport kind, const ScriptLines& lines,
                          const WorkProgress& progress = {});

}  // namespace kelvane

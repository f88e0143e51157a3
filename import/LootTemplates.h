#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/ScriptLines.h"

namespace kelvane {

struct LootImportReport {
    // The files the run leaves, each counted once, and the entries they hold.
    int FilesWritten = 0;
    int EntriesWritten = 0;
    // Trimmed ids, in file order, of the sections left out because their id cannot be part of
    // a file name.
    std::vector<std::string> SkippedIds;
    // Trimmed ids, each once, of the sections whose file a later section with the same id
    // replaced.
    std::vector<std::string> RepeatedIds;
    // Set when a NUL byte ended the script before its end.
    std::optional<ScriptNulCut> NulCut;
};

// "Import loottemplates": one two-column DBC file per section with an id, "loott" + id + ".dbc"
// in the folder "loottemplates" beside the script (made when missing), each replaced
// atomically. The open table is not touched. Fails with "Cannot open file "%s". %s" before
// writing anything, or with "Cannot create file "%s". %s" at the first file that cannot be
// written; the files before it stay.
LootImportReport ImportLootTemplates(const std::string& scriptPath);

// The folder the files of a script go to.
std::string LootTemplateFolder(const std::string& scriptPath);

// One section's file: the header ("WDBC", count, 2 fields, 8 bytes a record, no strings) and a
// record (item, chance as a 32-bit float) per "loot" line whose item is not -1.
std::string LootTableBytes(const ScriptLines& lines, const ScriptSection& section);

}  // namespace kelvane

#pragma once

#include <string>
#include <vector>

#include "import/LootTemplates.h"
#include "import/RecordImport.h"

namespace kelvane {

// What the user must hear after an import beyond its counts, a sentence or two per matter:
// why records were cancelled, values that replaced earlier ones, and a script that ended early
// at a NUL byte. Empty when there is nothing to tell.
std::vector<std::string> ImportNotices(const ImportReport& report);

// The same for the loot templates: ids that cannot be file names, ids that stand on more than
// one section, and a NUL byte.
std::vector<std::string> LootImportNotices(const LootImportReport& report);

// The one message of a run about the ids it skipped, "" when it skipped none.
std::string SkippedLootIdsMessage(const std::vector<std::string>& ids);

}  // namespace kelvane

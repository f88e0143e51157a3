#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Whether a trimmed section id can stand in a loot template's file name without the file
// landing outside the "loottemplates" folder or failing on a name the folder cannot hold: not
// empty, and no "/", "\", "..", ":" or control character.
bool IsPlainFileNamePart(std::string_view id);

// The one message of a run about the ids it skipped, "" when it skipped none.
std::string SkippedLootIdsMessage(const std::vector<std::string>& ids);

}  // namespace kelvane

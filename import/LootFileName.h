#pragma once

#include <string_view>

namespace kelvane {

// Whether a trimmed section id can stand in a loot template's file name without the file
// landing outside the "loottemplates" folder or failing on a name the folder cannot hold: not
// empty, and no "/", "\", "..", ":" or control character.
bool IsPlainFileNamePart(std::string_view id);

}  // namespace kelvane

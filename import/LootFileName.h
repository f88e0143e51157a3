#pragma once

#include <string_view>

namespace kelvane {

// Whether a trimmed section id can stand in a loot template's file name without the file
// landing outside the "loottemplates" folder or failing on a name the folder cannot hold: not
// empty, no "/", "\", "..", ":" or control character, and short enough that "loott" + id +
// ".dbc" fits the 255 bytes a file name has.
bool IsPlainFileNamePart(std::string_view id);

}  // namespace kelvane

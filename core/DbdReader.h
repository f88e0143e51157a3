#pragma once

#include <string>
#include <string_view>

#include "core/DbdFile.h"

namespace kelvane {

// Reads the text of a .dbd definition file. fileName only names the file in messages: a
// malformed file throws KelvaneError naming it, the line and what is wrong there.
DbdFile ReadDbdFile(std::string_view text, const std::string& fileName);

}  // namespace kelvane

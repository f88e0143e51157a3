#pragma once

#include <string>
#include <string_view>

#include "core/definitions/DbdFile.h"

namespace kelvane {

// Reads the text of a .dbd definition file, which the result keeps. fileName only names the
// file in messages: a malformed file throws KelvaneError naming it, the line and what is wrong
// there.
DbdFile ReadDbdFile(std::string text, const std::string& fileName);

}  // namespace kelvane

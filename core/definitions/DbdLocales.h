#pragma once

#include <string_view>
#include <vector>

#include "core/definitions/DbdBuild.h"

namespace kelvane {

// The locale suffixes of a localized text in the given build, in field order: 8 before the
// second major version, 16 in the second and third, none from the fourth on (the text is then
// one plain string field with no flags field).
const std::vector<std::string_view>& DbdLocaleSuffixes(const DbdBuild& build);

}  // namespace kelvane

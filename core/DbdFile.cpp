#include "core/DbdFile.h"

#include <algorithm>

namespace kelvane {

bool DbdEntry::HasAnnotation(const std::string& annotation) const {
    return std::find(Annotations.begin(), Annotations.end(), annotation) != Annotations.end();
}

bool DbdDefinition::ListsBuild(const DbdBuild& build) const {
    return std::any_of(Builds.begin(), Builds.end(),
                       [&](const DbdBuildRange& range) { return range.Contains(build); });
}

}  // namespace kelvane

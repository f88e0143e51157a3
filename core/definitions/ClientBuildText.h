#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/definitions/DbdBuild.h"

namespace kelvane {

// The client build a user typed, blanks around it dropped: nothing for an empty text or "none",
// which clears the build. Anything but four dot-separated numbers fails with a KelvaneError that
// shows what a build looks like.
std::optional<DbdBuild> ReadClientBuildText(std::string_view text);

// The build as the user typed it, "" for none.
std::string ClientBuildText(const std::optional<DbdBuild>& build);

}  // namespace kelvane

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvane {

// A save's temporary file is this prefix and six random characters, in the target's folder: a
// short name whatever the target's length, that still tells which target it belongs to.
std::string TemporaryFilePrefix(std::string_view targetFileName);

// A batch stages its files in a folder of this prefix and six random characters.
inline constexpr std::string_view StagingFolderPrefix = ".kelvane-batch-";

// What mkstemp and mkdtemp put in place of the six characters.
inline constexpr std::string_view RandomNamePart = "XXXXXX";

}  // namespace kelvane

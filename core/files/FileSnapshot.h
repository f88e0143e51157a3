#pragma once

#include <optional>
#include <string>

#include "core/files/FileIdentity.h"

namespace kelvane {

// A file as it was at one moment: where it lies and which version of it was there. The table
// remembers the file it was loaded from this way, so that a save over that file can tell
// whether someone else saved it in between.
struct FileSnapshot {
    std::string CanonicalPath;  // ResolvedPath::CanonicalPath
    FileIdentity Identity;

    // The file at path now, links followed; nothing when there is none.
    static std::optional<FileSnapshot> Take(const std::string& path);
};

}  // namespace kelvane

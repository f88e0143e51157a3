#pragma once

#include <string>

namespace kelvane {

// The file a path really reaches: symbolic links in its last part are followed, also a link
// whose target does not exist yet, so a save replaces the file a link points to and keeps the
// link.
struct ResolvedPath {
    std::string Path;      // the file to read or replace; a folder part of the path stays as given
    std::string Folder;    // Path's folder, "" for the current one
    std::string FileName;  // Path's last part
    // The same file named from the root with every link resolved, so two spellings of one file
    // compare equal.
    std::string CanonicalPath;
    // The system's error number when the path cannot be followed (a link loop, a missing
    // folder); the texts above are then empty.
    int Error = 0;

    static ResolvedPath Of(const std::string& path);
};

}  // namespace kelvane

#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "core/files/FileSnapshot.h"
#include "core/files/ResolvedPath.h"

namespace kelvane {

// "Cannot create file "%s". %s": the path and the system's reason.
std::string CannotCreateMessage(const std::string& path, int error);

// The file a save replaces, looked at before anything is written so that a save writes what
// the user means: a symbolic link is followed (the file it points to is replaced and the link
// stays; a link to a missing file creates that file), and a path that is a folder, a named pipe,
// a device or a socket, a file the user may not write, or a file with more than one hard link
// is refused. Failures are KelvaneErrors naming the path as given.
class SaveTarget {
  public:
    explicit SaveTarget(std::string path);

    const std::string& Path() const { return path_; }
    const ResolvedPath& Resolved() const { return resolved_; }

    // Looks at the file again and refuses it as above; returns its state, or nothing when there
    // is no file yet. Called before writing and again just before the rename, since the file may
    // have changed in between.
    std::optional<struct stat> Check() const;
    // Throws FileChangedError when the target is the file the content was loaded from (loaded)
    // and is no longer the version that was loaded. A file removed since counts as unchanged:
    // the save puts it back.
    void CheckUnchanged(const std::optional<struct stat>& now,
                        const std::optional<FileSnapshot>& loaded) const;
    // "Cannot create file "%s". %s" with the system's reason.
    [[noreturn]] void Fail(int error) const;

  private:
    [[noreturn]] void Refuse(const std::string& reason) const;

    std::string path_;
    ResolvedPath resolved_;
};

}  // namespace kelvane

#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace kelvane {

// Gives the file being written what the file it replaces has: owner and group where the process
// may set them (the superuser always may), extended attributes (access control lists among
// them) where the file system takes them, and the permission bits. A new file gets the usual
// default permissions. Returns the system's error number when the permissions cannot be set,
// else 0.
int GiveTargetAttributes(const std::string& targetPath, const std::optional<struct stat>& target,
                         int fd);

}  // namespace kelvane

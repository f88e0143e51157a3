#pragma once

#include <string>
#include <string_view>

#include "core/files/InputFile.h"

namespace kelvane {

// The whole file, whoever named it (see NamedBy): a stream the user named is read to its end,
// anything but a regular file the program found is refused. Fails with "Cannot open file "%s".
// %s" (the path, the system's reason or what the file is).
std::string ReadWholeFile(const std::string& path, NamedBy namedBy);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a failure never damages the file that was there. Fails with
// "Cannot create file "%s". %s" (the target path, the system's reason).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kelvane

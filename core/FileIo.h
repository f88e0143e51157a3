#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The whole file. Fails with "Cannot open file "%s". %s" (the path, the system's reason).
std::string ReadWholeFile(const std::string& path);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a failure never damages the file that was there. Fails with
// "Cannot create file "%s". %s" (the target path, the system's reason).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kelvane

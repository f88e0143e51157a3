#pragma once

#include <sys/stat.h>

namespace kelvane {

// What a file of this mode is, for messages: "a folder", "a named pipe", "a device", "a socket",
// "a symbolic link" or "a file".
const char* FileTypeText(mode_t mode);

}  // namespace kelvane

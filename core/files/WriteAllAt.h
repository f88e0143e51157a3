#pragma once

#include <cstdint>
#include <string_view>

namespace kelvane {

// Writes all the bytes at offset, however many writes the system needs. Returns the system's
// error number, or 0.
int WriteAllAt(int fd, uint64_t offset, std::string_view bytes);

}  // namespace kelvane

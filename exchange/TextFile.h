#pragma once

#include <span>
#include <string>
#include <vector>

namespace kelvane {

// Writes the lines with CR LF after each, the last included, replacing the file atomically.
// Fails with "Cannot create file "%s". %s".
void WriteTextLines(const std::string& path, std::span<const std::string> lines);

// The lines of a text file with CR LF, CR or LF line ends. Fails with "Cannot open file "%s". %s".
std::vector<std::string> ReadTextLines(const std::string& path);

}  // namespace kelvane

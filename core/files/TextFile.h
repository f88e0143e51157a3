#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/InputFile.h"

namespace kelvane {

// Writes the lines with CR LF after each, the last included, replacing the file atomically.
// Fails with "Cannot create file "%s". %s".
void WriteTextLines(const std::string& path, std::span<const std::string> lines);

// The lines of a text with CR LF, CR or LF line ends, as views into it. A line end after the
// last line starts no line of its own.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The lines of a text file with CR LF, CR or LF line ends, read as ReadWholeFile reads it.
// Fails with "Cannot open file "%s". %s".
std::vector<std::string> ReadTextLines(const std::string& path, NamedBy namedBy);

}  // namespace kelvane

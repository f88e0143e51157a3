#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/files/CurrentTable.h"

namespace kelvane::bench {

// The big table every benchmark of this run works on, generated once into a temporary folder
// with its field-definition file beside it, and removed at exit.
struct SpellLikeFile {
    CurrentTable Current;  // FilePath is the DBC file, so loads find the definitions
    std::string SavePath;  // where save benchmarks write, in the same folder
    size_t FileBytes = 0;
    std::vector<int> StringFields;
};

const SpellLikeFile& TheSpellLikeFile();

// The same table written into a folder of the caller's, which keeps it.
SpellLikeFile WriteSpellLikeFile(const std::string& folder);

}  // namespace kelvane::bench

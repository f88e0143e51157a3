#pragma once

#include <string>
#include <vector>

#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// Writes the three-spell sample into the folder under that name, with its field definitions
// beside it as the editor keeps them, and returns the table's path.
inline std::string WriteSpellSample(const TempDir& dir, const std::string& fileName = "Spell.dbc",
                                    const std::vector<FieldSpec>& fields = SpellSampleFields()) {
    dir.Write(fileName, SpellSample().Bytes());
    const std::string path = dir.File(fileName);
    WriteFieldDefs(path, fields);
    return path;
}

}  // namespace kelvane::testing

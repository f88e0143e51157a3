#pragma once

#include <string>

#include "bench/SpellLikeFile.h"

namespace kelvane::bench {

// A script of about 12 MB of sections that each set a few cells of every kind by column name,
// as a server's script sets the columns it knows.
std::string ScriptOfSections(const SpellLikeFile& file);

}  // namespace kelvane::bench

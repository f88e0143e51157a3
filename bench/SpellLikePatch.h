#pragma once

#include <memory>
#include <string>

#include "bench/SpellLikeFile.h"
#include "core/workspace/Workspace.h"

namespace kelvane::bench {

// The big table loaded from its file with the definitions beside it.
std::unique_ptr<Workspace> LoadedWorkspace(const SpellLikeFile& file);

// One row line per record of the table: the even records with a changed cell, the odd ones
// under keys the table does not have, so half the lines edit and half add. Lines the patch
// reader could not take back are left out, so every line applies.
std::string PatchOfChangesAndAdditions(const SpellLikeFile& file);

// The row lines of the first records under keys the table does not have: every line adds.
std::string PatchOfAdditions(const SpellLikeFile& file, int records);

// A line per record setting its first three integer columns after the key to a new value.
std::string PatchOfThreeCells(const SpellLikeFile& file);

}  // namespace kelvane::bench

#pragma once

#include <string_view>

#include "cli/CliCommands.h"

namespace kelvane::cli {

// Removes every occurrence of flag from args and says whether there was one.
bool TakeFlag(Arguments& args, std::string_view flag);

}  // namespace kelvane::cli

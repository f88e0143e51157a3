#pragma once

#include <span>
#include <string_view>

#include "cli/CliCommand.h"

namespace kelvane::cli {

// Every command of kelvane-cli, in the order --help lists them: the one place that knows each
// command's name, usage, help and what runs it.
std::span<const CliCommand> CliCommandTable();

// The command of that name, or nullptr.
const CliCommand* CommandNamed(std::string_view name);

}  // namespace kelvane::cli

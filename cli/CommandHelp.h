#pragma once

#include <ostream>
#include <span>

#include "cli/CliCommand.h"

namespace kelvane::cli {

// The short usage that goes with a wrong command line: every command's usage line.
void PrintUsage(std::span<const CliCommand> commands, std::ostream& out);

// The answer to --help: what the program is, a line per command, the global flags and the
// exit statuses.
void PrintProgramHelp(std::span<const CliCommand> commands, std::ostream& out);

// The answer to COMMAND --help.
void PrintCommandHelp(const CliCommand& command, std::ostream& out);

// The answer to --version.
void PrintVersion(std::ostream& out);

}  // namespace kelvane::cli

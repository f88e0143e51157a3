#pragma once

#include <ostream>
#include <string_view>

#include "cli/CliCommands.h"

namespace kelvane::cli {

// One command of kelvane-cli: how it is called, what its help says and what runs it.
struct CliCommand {
    std::string_view Name;
    // The arguments after the program's name, starting with Name.
    std::string_view Usage;
    // One line for the list of commands.
    std::string_view Summary;
    // What the command does, then one line per argument and flag; ends with a line break.
    std::string_view Help;
    int (*Run)(const Arguments&, std::ostream&, std::ostream&);
};

}  // namespace kelvane::cli

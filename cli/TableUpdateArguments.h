#pragma once

#include <string>
#include <string_view>

#include "cli/CliCommands.h"

namespace kelvane::cli {

// The arguments of a command that changes a table from another file and saves it:
// TABLE.dbc SOURCE [OUT.dbc] [--force], options anywhere among them.
struct TableUpdateArguments {
    std::string TablePath;
    std::string SourcePath;
    std::string TargetPath;  // TablePath when no OUT.dbc is given
    bool Force = false;
};

// Takes --force and the files out of args; other options must have been taken before. Fails
// with UsageError naming command and sourceName ("the patch file") for a wrong number of files.
TableUpdateArguments TakeTableUpdateArguments(Arguments& args, std::string_view command,
                                              std::string_view sourceName);

}  // namespace kelvane::cli

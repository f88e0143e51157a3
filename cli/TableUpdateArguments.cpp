#include "cli/TableUpdateArguments.h"

#include "cli/CommandFlags.h"

namespace kelvane::cli {

TableUpdateArguments TakeTableUpdateArguments(Arguments& args, std::string_view command,
                                              std::string_view sourceName) {
    TableUpdateArguments taken;
    taken.Force = TakeFlag(args, "--force");
    if (args.size() != 2 && args.size() != 3) {
        throw UsageError(std::string(command) + " takes the DBC file, " + std::string(sourceName) +
                         " and, to keep the DBC file, the file to write");
    }
    taken.TablePath = args[0];
    taken.SourcePath = args[1];
    taken.TargetPath = args.size() == 3 ? args[2] : args[0];
    return taken;
}

}  // namespace kelvane::cli

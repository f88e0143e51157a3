#include <memory>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"

namespace kelvane::cli {

int RunResave(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool force = TakeFlag(args, "--force");
    if (args.size() != 2) {
        throw UsageError("resave takes two arguments: the DBC file and the file to write");
    }
    const std::string& path = args[0];
    const std::string& target = args[1];
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport report = OpenWithWarnings(*workspace, path, err);
    SaveLoadedTable(*workspace, report, target, force);
    out << "Wrote \"" << target << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

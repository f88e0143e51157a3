#include <memory>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/TableWarnings.h"
#include "core/Workspace.h"
#include "exchange/PatchReader.h"

namespace kelvane::cli {

// Unlike the editor's "/i" batch mode it writes no preset: the table is read with the field
// definitions already beside it.
int RunApplyPatch(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool force = TakeFlag(args, "--force");
    if (args.size() != 2 && args.size() != 3) {
        throw UsageError(
            "apply-patch takes the DBC file, the patch file and, to keep the DBC file, the file "
            "to write");
    }
    const std::string& path = args[0];
    const std::string& patch = args[1];
    const std::string& target = args.size() == 3 ? args[2] : path;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport report = OpenWithWarnings(*workspace, path, err);
    // A failing line ends the run here, its message saying "PATCH.txt line N: ...": nothing is
    // saved, so the lines applied before it are lost with the run.
    const PatchApplyReport applied = ApplyPatchFile(workspace->Table, patch);
    SaveLoadedTable(*workspace, report, target, force);
    out << "Applied " << applied.LinesApplied << " lines, added " << applied.RecordsAdded
        << " records; wrote \"" << target << "\": " << workspace->Table.RecordCount()
        << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

#include <memory>

#include "cli/CliCommands.h"
#include "cli/TableUpdateArguments.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "exchange/PatchReader.h"

namespace kelvane::cli {

// Unlike the editor's "/i" batch mode it writes no preset: the table is read with the field
// definitions already beside it.
int RunApplyPatch(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const TableUpdateArguments files =
        TakeTableUpdateArguments(args, "apply-patch", "the patch file");
    const std::string& patch = files.SourcePath;
    const std::string& target = files.TargetPath;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport report = OpenWithWarnings(*workspace, files.TablePath, err);
    // A failing line ends the run here, its message saying "PATCH.txt line N: ...": nothing is
    // saved, so the lines applied before it are lost with the run.
    const PatchApplyReport applied = ApplyPatchFile(workspace->Table, patch);
    SaveLoadedTable(*workspace, report, target, files.Force);
    out << "Applied " << applied.LinesApplied << " lines, added " << applied.RecordsAdded
        << " records; wrote \"" << target << "\": " << workspace->Table.RecordCount()
        << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

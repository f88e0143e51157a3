#include <memory>

#include "cli/CliCommands.h"
#include "cli/TableWarnings.h"
#include "core/DbcWriter.h"
#include "core/FileMemoryGuard.h"
#include "core/Workspace.h"
#include "exchange/PatchReader.h"

namespace kelvane::cli {

// Unlike the editor's "/i" batch mode it writes no preset: the table is read with the field
// definitions already beside it.
int RunApplyPatch(const Arguments& args, std::ostream& out, std::ostream& err) {
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
    PatchApplyReport applied;
    try {
        applied = ApplyPatchFile(workspace->Table, patch);
    } catch (const PatchLineError& error) {
        // Nothing is saved, so the lines applied before this one are lost with the run.
        err << patch << " line " << error.LineNumber << ": " << error.what() << '\n';
        return 1;
    }
    WarnOfLostStrings(*workspace, report, path, target, err);
    GuardMemory(FileWork::Saving, target, [&] { SaveDbcFile(*workspace, target); });
    out << "Applied " << applied.LinesApplied << " lines, added " << applied.RecordsAdded
        << " records; wrote \"" << target << "\": " << workspace->Table.RecordCount()
        << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

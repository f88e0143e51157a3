#include <memory>

#include "cli/CliCommands.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "exchange/DiffPatch.h"
#include "exchange/TableDiff.h"

namespace kelvane::cli {

// Each table is loaded as `info` loads it, with the definitions beside it or the run's .dbd
// settings; tables whose columns then differ are refused rather than compared cell by cell.
int RunDiff(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        throw UsageError(
            "diff takes the older DBC file, the newer one and the patch file to write");
    }
    const std::string& oldPath = args[0];
    const std::string& newPath = args[1];
    const std::string& outPath = args[2];
    const auto older = std::make_unique<Workspace>();
    OpenWithWarnings(*older, oldPath, err);
    const auto newer = std::make_unique<Workspace>();
    OpenWithWarnings(*newer, newPath, err);
    const TableDiff diff = CompareTables(older->Table, oldPath, newer->Table, newPath);
    const DiffPatchReport report = WriteDiffPatchFile(older->Table, newer->Table, diff, outPath);
    out << "Wrote " << report.Lines << " lines to \"" << outPath << "\": " << DiffCountsText(diff)
        << " (removed records are comment lines: patch text cannot delete).\n";
    if (const std::string warning = report.Warning(); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli

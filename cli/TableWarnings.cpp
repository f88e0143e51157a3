#include "cli/TableWarnings.h"

#include "cli/DefinitionFlags.h"
#include "core/base/KelvaneError.h"
#include "core/files/FileMemoryGuard.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane::cli {

LoadReport OpenWithWarnings(Workspace& workspace, const std::string& path, std::ostream& err,
                            ColumnNames onlyColumns) {
    workspace.Settings = DefinitionSettingsInUse();
    LoadReport report = OpenDbcTable(workspace, path, {}, onlyColumns);
    if (const std::string warning = report.Warning(path); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return report;
}

void SaveLoadedTable(Workspace& workspace, const LoadReport& report, const std::string& target,
                     bool force) {
    if (!force && !report.TextFit.Fits()) {
        throw KelvaneError(SaveRefusedForMisfit(target, report.TextFit));
    }
    GuardMemory(FileWork::Saving, target, [&] { SaveDbcFile(workspace, target); });
}

}  // namespace kelvane::cli

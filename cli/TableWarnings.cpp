#include "cli/TableWarnings.h"

#include "core/OpenTable.h"
#include "core/Workspace.h"

namespace kelvane::cli {

LoadReport OpenWithWarnings(Workspace& workspace, const std::string& path, std::ostream& err) {
    LoadReport report = OpenDbcTable(workspace, path);
    if (const std::string warning = report.Warning(path); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return report;
}

void WarnOfLostStrings(const Workspace& workspace, const LoadReport& report,
                       const std::string& path, const std::string& target, std::ostream& err) {
    if (!workspace.Table.HasStringField() && report.Header.StringBlockSize > 1) {
        err << "Warning: \"" << path << "\" holds " << report.Header.StringBlockSize
            << " bytes of strings, but its field definitions name no string column; \"" << target
            << "\" is written without them.\n";
    }
}

}  // namespace kelvane::cli

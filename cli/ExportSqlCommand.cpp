#include <memory>

#include "cli/CliCommands.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "databases/MysqlDump.h"

namespace kelvane::cli {

int RunExportSql(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        throw UsageError("export-sql takes the DBC file and the file to write");
    }
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, args[0], err);
    const MysqlDumpReport report = WriteMysqlDump(workspace->Table, workspace->FileLayout,
                                                  workspace->Current.TableName, args[1]);
    out << "Wrote \"" << args[1] << "\": table " << workspace->Current.TableName << ", "
        << report.Records << " records in " << report.Statements << " INSERT statement"
        << (report.Statements == 1 ? "" : "s") << ".\n";
    if (const std::string warning = report.Warning(); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli

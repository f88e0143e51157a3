#include <memory>

#include "cli/CliCommands.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteExport.h"

namespace kelvane::cli {

int RunExportSqlite(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        throw UsageError("export-sqlite takes the DBC file and the database file to write");
    }
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, args[0], err);
    const SqliteExportReport report = ExportSqlite(*workspace, args[1]);
    out << "Wrote " << report.Records << " records to table \"" << report.TableName << "\" of \""
        << args[1] << "\"" << (report.KeyIsPrimary ? "" : " (the key repeats: no primary key)")
        << ".\n";
    return 0;
}

}  // namespace kelvane::cli

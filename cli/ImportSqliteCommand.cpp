#include <memory>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/TableWarnings.h"
#include "core/Workspace.h"
#include "databases/SqliteImport.h"

namespace kelvane::cli {

int RunImportSqlite(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool force = TakeFlag(args, "--force");
    if (args.size() != 2 && args.size() != 3) {
        throw UsageError(
            "import-sqlite takes the DBC file, the database file and, to keep the DBC file, the "
            "file to write");
    }
    const std::string& path = args[0];
    const std::string& target = args.size() == 3 ? args[2] : path;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport loaded = OpenWithWarnings(*workspace, path, err);
    const SqliteImportReport report = ImportSqlite(*workspace, args[1]);
    SaveLoadedTable(*workspace, loaded, target, force);
    out << "Read " << report.Rows << " rows of table \"" << workspace->Current.TableName
        << "\": changed " << report.Merge.RecordsChanged << ", added " << report.Merge.RecordsAdded
        << ", unchanged " << report.Merge.RecordsUnchanged << " records; wrote \"" << target
        << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

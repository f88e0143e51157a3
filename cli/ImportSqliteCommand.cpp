#include <memory>

#include "cli/CliCommands.h"
#include "cli/ImportMatchFlag.h"
#include "cli/TableUpdateArguments.h"
#include "cli/TableWarnings.h"
#include "core/files/FileMemoryGuard.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteImport.h"
#include "exchange/RepeatedImportKeyError.h"

namespace kelvane::cli {

int RunImportSqlite(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const ImportMatch match = TakeImportMatch(args);
    const TableUpdateArguments files =
        TakeTableUpdateArguments(args, "import-sqlite", "the database file");
    const std::string& target = files.TargetPath;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport loaded = OpenWithWarnings(*workspace, files.TablePath, err);
    const SqliteImportReport report = ImportHintingPosition(kByPositionHint, [&] {
        return GuardMemory(FileWork::Importing, files.SourcePath,
                           [&] { return ImportSqlite(*workspace, files.SourcePath, match); });
    });
    SaveLoadedTable(*workspace, loaded, target, files.Force);
    out << "Read " << report.Rows << " rows of table \"" << workspace->Current.TableName
        << "\": changed " << report.Merge.RecordsChanged << ", added " << report.Merge.RecordsAdded
        << ", unchanged " << report.Merge.RecordsUnchanged << " records; wrote \"" << target
        << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

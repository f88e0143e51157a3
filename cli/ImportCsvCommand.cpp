#include <memory>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/TableWarnings.h"
#include "core/Workspace.h"
#include "exchange/CsvImport.h"

namespace kelvane::cli {

int RunImportCsv(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool force = TakeFlag(args, "--force");
    const bool header = TakeFlag(args, "--header");
    if (args.size() != 2 && args.size() != 3) {
        throw UsageError(
            "import-csv takes the DBC file, the CSV file and, to keep the DBC file, the file to "
            "write");
    }
    const std::string& path = args[0];
    const std::string& csv = args[1];
    const std::string& target = args.size() == 3 ? args[2] : path;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport loaded = OpenWithWarnings(*workspace, path, err);
    // A bad record ends the run before the table changes; nothing is saved.
    const CsvImportReport report = ImportCsvFile(workspace->Table, csv, header);
    SaveLoadedTable(*workspace, loaded, target, force);
    if (report.Encoding == CsvEncoding::Windows1252) {
        err << "Note: \"" << csv << "\" is not UTF-8 text; it was read as Windows-1252.\n";
    }
    out << "Read " << report.RowsRead << " records: changed " << report.Merge.RecordsChanged
        << ", added " << report.Merge.RecordsAdded << ", unchanged "
        << report.Merge.RecordsUnchanged << "; wrote \"" << target
        << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

#include <memory>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/ImportMatchFlag.h"
#include "cli/TableUpdateArguments.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "exchange/CsvImport.h"
#include "exchange/RepeatedImportKeyError.h"

namespace kelvane::cli {

int RunImportCsv(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool header = TakeFlag(args, "--header");
    const ImportMatch match = TakeImportMatch(args);
    const TableUpdateArguments files = TakeTableUpdateArguments(args, "import-csv", "the CSV file");
    const std::string& csv = files.SourcePath;
    const std::string& target = files.TargetPath;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport loaded = OpenWithWarnings(*workspace, files.TablePath, err);
    // A bad record ends the run before the table changes; nothing is saved.
    const CsvImportReport report = ImportHintingPosition(
        kByPositionHint, [&] { return ImportCsvFile(workspace->Table, csv, header, match); });
    SaveLoadedTable(*workspace, loaded, target, files.Force);
    if (report.ConvertedTexts > 0) {
        err << "Note: \"" << csv << "\": " << report.ConvertedTexts
            << (report.ConvertedTexts == 1 ? " text was" : " texts were")
            << " not UTF-8 and read as Windows-1252 (the first on " << report.FirstConverted
            << ").\n";
    }
    out << "Read " << report.RowsRead << " records: changed " << report.Merge.RecordsChanged
        << ", added " << report.Merge.RecordsAdded << ", unchanged "
        << report.Merge.RecordsUnchanged << "; wrote \"" << target
        << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli

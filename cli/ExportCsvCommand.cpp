#include <memory>

#include "cli/CliCommands.h"
#include "cli/ExportSelection.h"
#include "cli/TableWarnings.h"
#include "core/Workspace.h"
#include "exchange/TextExport.h"

namespace kelvane::cli {

int RunExportCsv(const Arguments& args, std::ostream& out, std::ostream& err) {
    const ExportSelection selection =
        ParseExportSelection(args, "export-csv takes the DBC file and the file to write", false);
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, selection.TablePath, err);
    RecordTable& table = workspace->Table;
    const std::vector<std::string> lines =
        selection.Record ? std::vector{ExportLine(table, SelectedRow(table, selection))}
                         : ExportAllLines(table);
    WriteExportFile(selection, lines, out);
    return 0;
}

}  // namespace kelvane::cli

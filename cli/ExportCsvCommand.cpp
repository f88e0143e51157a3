#include <memory>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/ExportSelection.h"
#include "cli/TableWarnings.h"
#include "core/files/TextLineWriter.h"
#include "core/workspace/Workspace.h"
#include "exchange/TextExport.h"

namespace kelvane::cli {

int RunExportCsv(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool header = TakeFlag(args, "--header");
    const ExportSelection selection =
        ParseExportSelection(args, "export-csv takes the DBC file and the file to write", false);
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, selection.TablePath, err);
    RecordTable& table = workspace->Table;
    TextLineWriter file(selection.OutPath);
    const std::optional<int> row =
        selection.Record ? std::optional<int>(SelectedRow(table, selection)) : std::nullopt;
    WriteCsvExport(table, file, header, row);
    CommitExportFile(selection, file, out);
    return 0;
}

}  // namespace kelvane::cli

#include <memory>

#include "cli/CliCommands.h"
#include "cli/ExportSelection.h"
#include "cli/TableWarnings.h"
#include "core/Workspace.h"
#include "exchange/PatchText.h"

namespace kelvane::cli {
namespace {

PatchExport ExportSelected(RecordTable& table, const ExportSelection& selection) {
    if (!selection.Record) {
        return ExportPatchAll(table);
    }
    const int row = SelectedRow(table, selection);
    if (selection.Column) {
        return ExportPatchCell(table, row, SelectedColumn(table, selection));
    }
    return ExportPatchRow(table, row);
}

}  // namespace

int RunExportPatch(const Arguments& args, std::ostream& out, std::ostream& err) {
    const ExportSelection selection =
        ParseExportSelection(args, "export-patch takes the DBC file and the file to write", true);
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, selection.TablePath, err);
    const PatchExport written = ExportSelected(workspace->Table, selection);
    WriteExportFile(selection, written.Lines, out);
    // The file is written all the same; the user learns which values will not come back.
    if (const std::string warning = written.ReadBack.Warning(); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli

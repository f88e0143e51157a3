#include <memory>

#include "cli/CliCommands.h"
#include "cli/ExportSelection.h"
#include "cli/TableWarnings.h"
#include "core/files/TextLineWriter.h"
#include "core/workspace/Workspace.h"
#include "exchange/PatchText.h"

namespace kelvane::cli {
namespace {

PatchReadBackReport WriteSelected(RecordTable& table, const ExportSelection& selection,
                                  TextLineWriter& file) {
    if (!selection.Record) {
        return WritePatchAll(table, file);
    }
    const int row = SelectedRow(table, selection);
    const PatchExport written = selection.Column
                                    ? ExportPatchCell(table, row, SelectedColumn(table, selection))
                                    : ExportPatchRow(table, row);
    file.Add(written.Lines.front());
    return written.ReadBack;
}

}  // namespace

int RunExportPatch(const Arguments& args, std::ostream& out, std::ostream& err) {
    const ExportSelection selection =
        ParseExportSelection(args, "export-patch takes the DBC file and the file to write", true);
    const auto workspace = std::make_unique<Workspace>();
    OpenWithWarnings(*workspace, selection.TablePath, err);
    TextLineWriter file(selection.OutPath);
    const PatchReadBackReport readBack = WriteSelected(workspace->Table, selection, file);
    CommitExportFile(selection, file, out);
    // The file is written all the same; the user learns which values will not come back.
    if (const std::string warning = readBack.Warning(); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli

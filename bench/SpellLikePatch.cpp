#include "bench/SpellLikePatch.h"

#include <algorithm>

#include "core/WorkspaceFiles.h"
#include "exchange/PatchText.h"

namespace kelvane::bench {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kChangedColumn = 3;  // an integer column every changed record gets a new value in

}  // namespace

std::unique_ptr<Workspace> LoadedWorkspace(const SpellLikeFile& file) {
    auto workspace = std::make_unique<Workspace>();
    workspace->Current = file.Current;
    LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
    return workspace;
}

std::string PatchOfChangesAndAdditions(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    RecordTable& table = workspace->Table;
    int32_t newKey = 0;
    for (int row = 0; row < table.RecordCount(); ++row) {
        newKey = std::max(newKey, table.IntegerAt(row, kKeyColumn) + 1);
    }
    std::string text;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const bool changed = row % 2 == 0;
        if (changed) {
            table.MoveTo(row);
            table.Edit();
            table.Fields(kChangedColumn).SetAsInteger(table.IntegerAt(row, kChangedColumn) + 1);
            table.Post();
        }
        const PatchExport line = ExportPatchRow(table, row);
        if (line.ReadBack.ProblemCount() > 0) {
            continue;
        }
        const std::string& rowLine = line.Lines.front();
        text += changed ? rowLine : std::to_string(newKey++) + rowLine.substr(rowLine.find(':'));
        text += "\r\n";
    }
    return text;
}

}  // namespace kelvane::bench

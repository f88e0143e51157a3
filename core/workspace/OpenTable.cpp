#include "core/workspace/OpenTable.h"

#include "core/files/CurrentTable.h"
#include "core/files/FileMemoryGuard.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane {

void PrepareOpen(CurrentTable& current, const std::string& path) {
    current.FilePath = path;
    current.TableName = TableNameFromPath(path);
    current.OpenedTableName = current.TableName;
    current.LastOpenedPath = path;
}

LoadReport OpenDbcTable(Workspace& workspace, const std::string& path, const LoadProgress& progress,
                        ColumnNames onlyColumns) {
    const CurrentTable before = workspace.Current;
    // The definitions beside the new file are found through the current table.
    PrepareOpen(workspace.Current, path);
    try {
        return GuardMemory(FileWork::Loading, path, [&] {
            return LoadDbcFile(workspace, path, true, 0, progress, onlyColumns);
        });
    } catch (...) {
        workspace.Current = before;
        throw;
    }
}

}  // namespace kelvane

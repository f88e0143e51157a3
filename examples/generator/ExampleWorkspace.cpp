#include "examples/generator/ExampleWorkspace.h"

#include "core/DbcWriter.h"
#include "core/TablePaths.h"
#include "core/Workspace.h"

namespace kelvane {

std::unique_ptr<Workspace> ExampleWorkspace(std::string_view folder, std::string_view tableName) {
    auto workspace = std::make_unique<Workspace>();
    workspace->Current.FilePath = JoinPath(folder, std::string(tableName) + ".dbc");
    workspace->Current.TableName = std::string(tableName);
    return workspace;
}

std::string SaveExample(Workspace& workspace) {
    SaveDbcFile(workspace, workspace.Current.FilePath);
    return workspace.Current.FilePath;
}

}  // namespace kelvane

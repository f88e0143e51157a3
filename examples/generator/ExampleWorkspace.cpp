#include "examples/generator/ExampleWorkspace.h"

#include <filesystem>

#include "core/definitions/FieldDefFile.h"
#include "core/files/TablePaths.h"
#include "core/workspace/TableFromDefinitions.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"

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

void DefineExampleColumns(Workspace& workspace, std::span<const ExampleField> fields) {
    const auto fieldCount = static_cast<int>(fields.size());
    for (int field = 0; field < fieldCount; ++field) {
        const ExampleField& example = fields[static_cast<size_t>(field)];
        workspace.Defs[field] =
            FieldDef{field, std::string(example.Name), std::string(FieldKindText(example.Kind)),
                     example.Kind, example.Hex};
    }
    CreateTableFromDefinitions(workspace, fieldCount);
}

std::vector<std::string> SaveExampleWithDefs(Workspace& workspace, int fieldCount) {
    const std::string dbcPath = SaveExample(workspace);
    // Writing definitions keeps other sections of an existing file: start from none.
    const std::string iniPath = FieldDefFilePath(workspace.Current);
    std::filesystem::remove(iniPath);
    SaveFieldDefinitions(workspace.Current, workspace.Defs, fieldCount);
    return {dbcPath, iniPath};
}

}  // namespace kelvane

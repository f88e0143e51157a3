#include "core/workspace/FileKindGuess.h"

#include <memory>

#include "core/dbc/DbcReader.h"
#include "core/files/FileByteSource.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane {

LoadReport LoadDbcFileAsIntegers(Workspace& workspace, const std::string& path) {
    FieldKindGuess integers;
    {
        FileByteSource file(path);
        integers.Kinds.assign(static_cast<size_t>(ReadDbcHeader(file, path).FieldCount),
                              FieldKind::ftInteger);
    }
    const std::vector<FieldDef> numbered = GuessedFieldDefs(integers);
    for (size_t field = 0; field < numbered.size(); ++field) {
        workspace.Defs[static_cast<int>(field)] = numbered[field];
    }
    return LoadDbcFile(workspace, path, false, static_cast<int>(numbered.size()));
}

FieldKindGuess GuessFieldKindsOfFile(const std::string& path) {
    // On the heap: the workspace holds a definition for every field a table may have.
    auto workspace = std::make_unique<Workspace>();
    LoadDbcFileAsIntegers(*workspace, path);
    return GuessFieldKinds(workspace->Table, workspace->FileLayout);
}

}  // namespace kelvane

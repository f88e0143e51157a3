#include "bench/SpellLikeFile.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "bench/SpellLikeBenchLayout.h"
#include "core/definitions/FieldDefFile.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/TempDir.h"

namespace kelvane::bench {

SpellLikeFile WriteSpellLikeFile(const std::string& folder) {
    const SpellLikeLayout layout = SpellLikeBenchLayout();
    auto workspace = std::make_unique<Workspace>();
    workspace->Current.FilePath = folder + "/Spell.dbc";
    workspace->Current.TableName = "Spell";
    DescribeSpellLikeFields(layout, workspace->Defs);
    FillSpellLikeTable(*workspace, kSpellLikeFields, kSpellLikeRecords, kSpellLikeSeed);
    SaveDbcFile(*workspace, workspace->Current.FilePath);
    SaveFieldDefinitions(workspace->Current, workspace->Defs, kSpellLikeFields);

    SpellLikeFile file;
    file.Current = workspace->Current;
    file.SavePath = folder + "/Saved.dbc";
    file.FileBytes = std::filesystem::file_size(file.Current.FilePath);
    file.StringFields = layout.StringFields;
    std::cerr << "Generated " << file.Current.FilePath << ": " << kSpellLikeRecords << " records x "
              << kSpellLikeFields << " fields, " << file.FileBytes << " bytes\n";
    return file;
}

const SpellLikeFile& TheSpellLikeFile() {
    static const testing::TempDir folder;
    static const SpellLikeFile file = WriteSpellLikeFile(folder.Path());
    return file;
}

}  // namespace kelvane::bench

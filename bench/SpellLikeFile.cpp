#include "bench/SpellLikeFile.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "core/FieldDefFile.h"
#include "core/Workspace.h"
#include "core/WorkspaceFiles.h"
#include "examples/generator/SpellLikeTable.h"
#include "tests/support/TempDir.h"

namespace kelvane::bench {
namespace {

// A table the size of a big Spell file: 16 string fields (name, rank, description and buff
// description, each with three mostly empty alternates), 12 float fields, the rest integers.
constexpr int kRecords = 100'000;
constexpr int kFields = 234;
constexpr uint32_t kSeed = 4242;

SpellLikeLayout BenchLayout() {
    SpellLikeLayout layout;
    layout.FieldCount = kFields;
    for (int group = 0; group < 4; ++group) {
        for (int field = 0; field < 4; ++field) {
            layout.StringFields.push_back(136 + group * 5 + field);
        }
    }
    layout.FloatFields = {35, 70, 71, 72, 109, 110, 111, 225, 226, 227, 228, 229};
    return layout;
}

}  // namespace

SpellLikeFile WriteSpellLikeFile(const std::string& folder) {
    const SpellLikeLayout layout = BenchLayout();
    auto workspace = std::make_unique<Workspace>();
    workspace->Current.FilePath = folder + "/Spell.dbc";
    workspace->Current.TableName = "Spell";
    DescribeSpellLikeFields(layout, workspace->Defs);
    FillSpellLikeTable(*workspace, kFields, kRecords, kSeed);
    SaveDbcFile(*workspace, workspace->Current.FilePath);
    SaveFieldDefinitions(workspace->Current, workspace->Defs, kFields);

    SpellLikeFile file;
    file.Current = workspace->Current;
    file.SavePath = folder + "/Saved.dbc";
    file.FileBytes = std::filesystem::file_size(file.Current.FilePath);
    file.StringFields = layout.StringFields;
    std::cerr << "Generated " << file.Current.FilePath << ": " << kRecords << " records x "
              << kFields << " fields, " << file.FileBytes << " bytes\n";
    return file;
}

const SpellLikeFile& TheSpellLikeFile() {
    static const testing::TempDir folder;
    static const SpellLikeFile file = WriteSpellLikeFile(folder.Path());
    return file;
}

}  // namespace kelvane::bench

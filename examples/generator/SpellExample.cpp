#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/definitions/FieldDefFile.h"
#include "core/definitions/Presets.h"
#include "core/workspace/Workspace.h"
#include "examples/generator/ExampleTables.h"
#include "examples/generator/ExampleWorkspace.h"
#include "examples/generator/SpellLikeTable.h"

namespace kelvane {
namespace {

constexpr int kSpellRecords = 320;
constexpr uint32_t kSpellSeed = 20240611;

}  // namespace

std::vector<std::string> WriteSpellExample(const std::string& folder) {
    // The columns come from the Spell preset as the editor reads it back.
    const Preset& preset = *FindPreset("Spell.dbc");
    const std::string iniPath = WritePreset(preset, folder);
    const std::unique_ptr<Workspace> workspace = ExampleWorkspace(folder, "Spell");
    LoadFieldDefinitions(workspace->Current, workspace->Defs, preset.FieldCount);
    FillSpellLikeTable(*workspace, preset.FieldCount, kSpellRecords, kSpellSeed);
    return {SaveExample(*workspace), iniPath};
}

}  // namespace kelvane

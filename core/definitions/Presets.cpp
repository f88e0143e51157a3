#include "core/definitions/Presets.h"

#include <vector>

#include "core/definitions/PresetTexts.h"
#include "core/files/FileIo.h"
#include "core/files/TablePaths.h"

namespace kelvane {
namespace {

// The texts are built once, at first use, and live for the run; the Preset rows point into
// them.
class PresetCatalog {
  public:
    PresetCatalog() : sources_(BuildPresetSources()) {
        for (const PresetSource& source : sources_) {
            presets_.push_back({source.Item, source.FileName, source.FieldCount, source.Text});
        }
    }

    std::span<const Preset> Presets() const { return presets_; }

  private:
    std::vector<PresetSource> sources_;
    std::vector<Preset> presets_;
};

}  // namespace

std::span<const Preset> PresetTable() {
    static const PresetCatalog catalog;
    return catalog.Presets();
}

const Preset* FindPreset(std::string_view item) {
    for (const Preset& preset : PresetTable()) {
        if (preset.Item == item) {
            return &preset;
        }
    }
    return nullptr;
}

std::string WritePreset(const Preset& preset, std::string_view folder) {
    std::string path = JoinPath(folder, preset.FileName);
    WriteFileAtomically(path, preset.Text);
    return path;
}

}  // namespace kelvane

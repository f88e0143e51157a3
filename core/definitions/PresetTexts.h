#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// One built-in preset with its file text built.
struct PresetSource {
    std::string_view Item;
    std::string_view FileName;
    int FieldCount = 0;
    std::string Text;
};

// The ten built-in presets in the order they are offered.
std::vector<PresetSource> BuildPresetSources();

}  // namespace kelvane

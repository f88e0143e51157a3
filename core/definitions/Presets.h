#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kelvane {

struct CurrentTable;

// A field-definition file the editor carries for a well-known table.
struct Preset {
    std::string_view Item;      // "Spell.dbc", as offered to the user
    std::string_view FileName;  // "Spell.ini"
    int FieldCount;
    std::string_view Text;  // the file's bytes, CR LF line ends
};

// The ten presets in the order they are offered.
std::span<const Preset> PresetTable();
// The preset of an item such as "Spell.dbc"; nullptr when there is none.
const Preset* FindPreset(std::string_view item);

// Writes the preset into the folder ("" = the current folder), replacing any file of that name;
// returns the path written. Fails with "Cannot create file "%s". %s".
std::string WritePreset(const Preset& preset, std::string_view folder);

}  // namespace kelvane

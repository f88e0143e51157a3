#include <string>

#include "cli/CliCommands.h"
#include "core/definitions/Presets.h"

namespace kelvane::cli {
namespace {

std::string ValidItems() {
    std::string items;
    for (const Preset& preset : PresetTable()) {
        items += items.empty() ? "" : ", ";
        items += preset.Item;
    }
    return "ITEM is one of: " + items;
}

}  // namespace

// preset ITEM DIR: writes the built-in field-definition file for ITEM into DIR.
int RunPreset(const Arguments& args, std::ostream& out, std::ostream& /*err*/) {
    if (args.size() != 2) {
        throw UsageError("preset takes ITEM and DIR; " + ValidItems());
    }
    const Preset* preset = FindPreset(args[0]);
    if (preset == nullptr) {
        throw UsageError("no preset for '" + args[0] + "'; " + ValidItems());
    }
    out << WritePreset(*preset, args[1]) << '\n';
    return 0;
}

}  // namespace kelvane::cli

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/definitions/FieldDefFile.h"
#include "core/definitions/Presets.h"
#include "core/table/Field.h"
#include "core/workspace/TableFromDefinitions.h"
#include "core/workspace/Workspace.h"
#include "examples/generator/ExampleTables.h"
#include "examples/generator/ExampleWorkspace.h"

namespace kelvane {
namespace {

// A faction and the group it belongs to (0: none). Groups and the monster factions have no
// reputation of their own.
struct FactionEntry {
    int32_t Id;
    int32_t Group;
    bool HasReputation;
    std::string_view Name;
};

constexpr std::array<FactionEntry, 38> kFactions{{
    {10, 0, false, "Northern Accord"},
    {11, 10, true, "Wardens of Kelmoor"},
    {12, 10, true, "Riverwatch Militia"},
    {13, 10, true, "Order of the Quiet Flame"},
    {14, 10, true, "Sunspire Academy"},
    {15, 10, true, "Amberfield Farmers"},
    {16, 10, true, "Kelmoor City Guard"},
    {20, 0, false, "Free Clans"},
    {21, 20, true, "Greyhollow Clan"},
    {22, 20, true, "Frostpeak Clans"},
    {23, 20, true, "Mirefen Tribe"},
    {24, 20, true, "Thornwood Druids"},
    {25, 20, true, "Emberfall Refugees"},
    {30, 0, false, "Merchant Houses"},
    {31, 30, true, "Brass Lantern Company"},
    {32, 30, true, "Saltcliff Traders"},
    {33, 30, true, "Gilded Scale Bank"},
    {34, 30, true, "Dunemarch Caravans"},
    {35, 30, true, "Skyforge Artisans"},
    {36, 30, true, "Copperhill Miners"},
    {40, 0, false, "Wilds"},
    {41, 40, true, "Hollowmere Exiles"},
    {42, 40, true, "Children of the Thorn"},
    {43, 40, true, "Lanternlight Pilgrims"},
    {44, 40, true, "Veilwalkers"},
    {45, 40, true, "Glimmerdeep Seekers"},
    {50, 0, true, "The Ashen Covenant"},
    {51, 0, true, "Duskmantle Syndicate"},
    {52, 0, true, "Stormhaven Navy"},
    {53, 0, true, "Keepers of the Deep Archive"},
    {54, 0, true, "Blackwater Raiders"},
    {55, 0, true, "The Shattered Oath"},
    {60, 0, false, "Wild Beasts"},
    {61, 0, false, "Restless Dead"},
    {62, 0, false, "Bound Elementals"},
    {63, 0, false, "Cave Dwellers"},
    {64, 0, false, "Roadside Bandits"},
    {65, 0, false, "Marsh Creatures"},
}};

// The fields this example fills; the others stay zero.
enum FactionField {
    kId = 0,
    kReputationIndex = 1,
    kFriendlyRaces = 2,
    kHostileRaces = 3,
    kFriendlyStanding = 10,
    kHostileStanding = 11,
    kReputationFlags = 14,
    kParent = 18,
    kName = 19,
    kNameFlags = 27,
};

// Which races start friendly and which hostile, by group.
int32_t FriendlyRaces(int32_t group) {
    switch (group) {
        case 10:
            return 0x4D;
        case 20:
            return 0xB2;
        case 30:
            return 0xFF;
        default:
            return 0;
    }
}

int32_t HostileRaces(int32_t group) {
    return group == 10 || group == 20 ? 0xFF & ~FriendlyRaces(group) : 0;
}

void AppendFaction(RecordTable& table, const FactionEntry& faction, int32_t reputationIndex) {
    table.Append();
    auto set = [&table](int field, int32_t value) { table.Fields(field + 1).SetAsInteger(value); };
    set(kId, faction.Id);
    set(kReputationIndex, faction.HasReputation ? reputationIndex : -1);
    if (faction.HasReputation) {
        set(kFriendlyRaces, FriendlyRaces(faction.Group));
        set(kHostileRaces, HostileRaces(faction.Group));
        set(kFriendlyStanding, 3000);
        set(kHostileStanding, HostileRaces(faction.Group) != 0 ? -6000 : 0);
        set(kReputationFlags, 16);
    }
    set(kParent, faction.Group);
    table.Fields(kName + 1).SetAsString(faction.Name);
    set(kNameFlags, 0x3F);
    table.Post();
}

}  // namespace

std::vector<std::string> WriteFactionExample(const std::string& folder) {
    const Preset& preset = *FindPreset("Faction.dbc");
    const std::string iniPath = WritePreset(preset, folder);
    const std::unique_ptr<Workspace> workspace = ExampleWorkspace(folder, "Faction");
    LoadFieldDefinitions(workspace->Current, workspace->Defs, preset.FieldCount);
    CreateTableFromDefinitions(*workspace, preset.FieldCount);
    int32_t reputationIndex = 0;
    for (const FactionEntry& faction : kFactions) {
        AppendFaction(workspace->Table, faction, reputationIndex);
        reputationIndex += faction.HasReputation ? 1 : 0;
    }
    return {SaveExample(*workspace), iniPath};
}

}  // namespace kelvane

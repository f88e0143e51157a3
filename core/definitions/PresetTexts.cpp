#include "core/definitions/PresetTexts.h"

#include "core/definitions/PresetFields.h"

namespace kelvane {
namespace {

constexpr FieldKind kFloat = FieldKind::ftFloat;
constexpr FieldKind kString = FieldKind::ftString;

// Changes to the generated lines for the presets whose files were never regular.
using LineEdit = void (*)(PresetLines&);

PresetSource Build(std::string_view item, std::string_view fileName, const PresetFields& fields,
                   LineEdit edit = nullptr) {
    PresetLines lines = fields.Lines();
    if (edit != nullptr) {
        edit(lines);
    }
    return {item, fileName, fields.Count(), PresetText(lines)};
}

PresetFields SpellFields() {
    return PresetFields()
        .Add({"ID", "school", "category"})
        .NumberedUpTo(5)
        .Add({"attributes", "attributesEx"})
        .NumberedUpTo(10)
        .Add({"targetssssss",
              "TargetCreatureType",
              "RequiresSpellFocus",
              "CasterAuraState",
              "TargetAuraState",
              "CastingTimeIndex",
              "RecoveryTime",
              "CategoryRecoveryTime",
              "InterruptFlags",
              "AuraInterruptFlags",
              "ChannelInterruptFlags",
              "procFlags",
              "procChance",
              "procCharges",
              "maxLevel",
              "baseLevel",
              "spellLevel",
              "duration ($d) [id number for S",
              "powerType",
              "manacost [or energy]",
              "manaCostPerlevel",
              "manaPerSecond",
              "manaPerSecondPerLevel",
              "rangeIndex",
              "speed",
              "modalNextSpell"})
        .NumberedUpTo(37)
        .Series("Totem", 2)
        .Series("Reagent", 8)
        .Series("ReagentCount", 8)
        .Add({"EquippedItemClass", "EquippedItemSubClass", "SpellEffectNames($M1)",
              "SpellEffectNames($M2)", "SpellEffectNames($M3)"})
        .Series("EffectDieSides", 3)
        .Series("EffectBaseDice", 3)
        .Series("EffectDicePerLevel", 3)
        .Series("EffectRealPointsPerLevel", 3)
        .Add({"effectbase[3] ($s1)", "effectbase[3] ($s2)", "effectbase[3] ($s3)"})
        .NumberedUpTo(78)
        .Series("EffectImplicitTargetA", 3)
        .Series("EffectImplicitTargetB", 3)
        .Series("EffectRadiusIndex", 3)
        .Series("EffectApplyAuraName", 3)
        .Series("EffectAmplitude", 3)
        .Series("Effectunknown", 3)
        .Series("EffectChainTarget", 3)
        .Series("EffectItemType", 3)
        .Add({"EffectMiscValue[1]", "craftskill", "EffectMiscValue[3]",
              "link_to_spell (train->learn)", "casting_spell", "EffectTriggerSpell[3]"})
        .Series("EffectPointsPerComboPoint", 3)
        // Field 113 is named "110", not by its own number.
        .Add({"SpellVisual", "110", "iconID", "activeIconID", "spellPriority", "Name"})
        .Series("NameAlt", 7)
        .Add({"NameFlags", "Rank"})
        .Series("RankAlt", 7)
        .Add({"RankFlags", "Description"})
        .Series("DescriptionAlt", 7)
        .Add({"DescriptionFlags", "BuffDescription"})
        .Series("BuffDescriptionAlt", 7)
        .Add({"ManaCostPercentage", "StartRecoveryCategory", "StartRecoveryTime"})
        .NumberedUpTo(156)
        .Add({"SpellFamilyName"})
        .NumberedUpTo(166)
        .SetKind(kFloat, {35, 70, 71, 72, 109, 110, 111, 163, 164, 165})
        .SetKind(kString, {117, 126, 135, 144})
        .SetHex({6, 7, 8, 9, 11, 19, 20, 21, 22, 122, 125, 131, 134, 143, 152, 158, 166});
}

PresetFields WorldMapAreaFields() {
    return PresetFields()
        .Add({"id", "map_id", "AreaID"})
        .Add({"AreaName"}, kString)
        .Add({"x", "y", "z", "h"}, kFloat);
}

PresetFields WorldSafeLocsFields() {
    return PresetFields()
        .Add({"id", "map_id"})
        .Add({"x", "y", "z"}, kFloat)
        .Add({"name"}, kString)
        .NumberedUpTo(13)
        .SetHex({13});
}

PresetFields WorldMapContinentFields() {
    return PresetFields()
        .Add({"id", "mapdbc"})
        .NumberedUpTo(3)
        .Add({"unk1", "unk2"})
        .Add({"unk3", "unk4", "unk6", "x1", "y2", "x1", "y2"}, kFloat);
}

// Fields 2 and 3 have no name line (they read back by their numbers), and the hex section
// stops after field 7.
void EditWorldMapContinent(PresetLines& lines) {
    lines.Name.erase(lines.Name.begin() + 2, lines.Name.begin() + 4);
    lines.Hex.resize(8);
}

PresetFields TaxiPathFields() {
    return PresetFields().Add({"ID", "Node_src", "Node_dst", "Price"});
}

PresetFields TaxiNodesFields() {
    return PresetFields()
        .Add({"id", "map"})
        .Add({"x", "y", "z"}, kFloat)
        .Add({"Area"}, kString)
        .NumberedUpTo(13);
}

// A stray "Field 13=1" stands after field 3 in the hex section; being the first "Field 13",
// it is the one that counts, so field 13 reads back as hexadecimal.
void EditTaxiNodes(PresetLines& lines) {
    lines.Hex.insert(lines.Hex.begin() + 4, "Field 13=1");
}

PresetFields LoadingScreensFields() {
    return PresetFields().Add({"ID"}).Add({"Name", "File"}, kString);
}

// An empty line before "[Field name]" and before "[Field hex]".
void EditLoadingScreens(PresetLines& lines) {
    lines.Kind.emplace_back();
    lines.Name.emplace_back();
}

PresetFields FactionTemplateFields() {
    return PresetFields()
        .Add({"id", "faction"})
        .NumberedUpTo(2)
        .Add({"fightsupport", "friendly", "hostile", "faction_link_1", "faction_link_2"})
        .NumberedUpTo(9)
        .Add({"faction_link_own_faction", "faction_link_4", "faction_link_5", "faction_link_6"})
        .SetHex({2, 3, 4, 5});
}

PresetFields FactionFields() {
    return PresetFields()
        .NumberedUpTo(17)
        .Add({"link2faction"})
        .Add({"name"}, kString)
        .NumberedUpTo(36)
        .SetHex({2, 3, 4, 5, 27, 36});
}

PresetFields AreaTriggerFields() {
    return PresetFields()
        .Add({"TriggerID", "MapID"})
        .Add({"PositionX", "PositionY", "PositionZ"}, kFloat)
        .NumberedUpTo(5, kFloat)
        .NumberedUpTo(9);
}

}  // namespace

std::vector<PresetSource> BuildPresetSources() {
    std::vector<PresetSource> sources;
    sources.push_back(Build("Spell.dbc", "Spell.ini", SpellFields()));
    sources.push_back(Build("WorldMapArea.dbc", "WorldMapArea.ini", WorldMapAreaFields()));
    sources.push_back(Build("WorldSafeLocs.dbc", "WorldSafeLocs.ini", WorldSafeLocsFields()));
    sources.push_back(Build("WorldMapContinent.dbc", "WorldMapContinent.ini",
                            WorldMapContinentFields(), EditWorldMapContinent));
    sources.push_back(Build("TaxiPath.dbc", "TaxiPath.ini", TaxiPathFields()));
    sources.push_back(Build("TaxiNodes.dbc", "TaxiNodes.ini", TaxiNodesFields(), EditTaxiNodes));
    sources.push_back(Build("LoadingScreens.dbc", "LoadingScreens.ini", LoadingScreensFields(),
                            EditLoadingScreens));
    sources.push_back(Build("FactionTemplate.dbc", "FactionTemplate.ini", FactionTemplateFields()));
    sources.push_back(Build("Faction.dbc", "Faction.ini", FactionFields()));
    sources.push_back(Build("AreaTrigger.dbc", "AreaTrigger.ini", AreaTriggerFields()));
    return sources;
}

}  // namespace kelvane

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/ColumnAssignment.h"
#include "editors/PickList.h"

namespace kelvane {

// The fixed pick lists of the creature editor. The number written for a type, elite kind or
// family entry is the one its caption starts with; for an NPC flags entry it is its position.
extern const std::array<std::string_view, 10> CreatureTypes;
extern const std::array<std::string_view, 5> CreatureEliteKinds;
extern const std::array<std::string_view, 22> CreatureFamilies;
extern const std::array<std::string_view, 34> NpcFlagEntries;

enum class NpcFlagsInput { ChooseFromList, Type };

// What the creature editor's fields hold. Positions are the selected entries of the pick
// lists, -1 for none; spin fields hold their numbers.
struct CreatureForm {
    std::string Id;
    std::string Name;
    int32_t Level = 0;
    int Model = -1;
    int Faction = -1;
    int32_t Health = 0;
    int32_t Mana = 0;
    int Type = -1;
    int Elite = -1;
    int Family = -1;
    std::string Guild;
    int32_t Attack = 0;
    std::string Speed;
    std::string Size;
    std::string Flags1;
    std::string SellTemplate;
    std::string TrainTemplate;
    std::string LootTemplate;
    std::string NpcText;
    std::string BoundingRadius;
    std::string CombatReach;
    int32_t Money = 0;
    std::string EquipModel;
    NpcFlagsInput FlagsInput = NpcFlagsInput::ChooseFromList;
    int NpcFlags = -1;
    std::string NpcFlagsText;
    int32_t Damage = 0;  // shown, but written to no column
};

// The columns "&Apply" writes, in its order. The model and faction write their ids, or the
// empty text when none is selected; a type, elite kind, family or listed NPC flags entry
// without selection writes nothing.
std::vector<ColumnAssignment> CreatureAssignments(const CreatureForm& form, const PickList& models,
                                                  const PickList& factions);

}  // namespace kelvane

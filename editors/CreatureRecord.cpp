#include "editors/CreatureRecord.h"

namespace kelvane {
namespace {

// Adds the number of the selected entry of a list captioned "N - name"; nothing without one.
template <size_t Size>
void AddListed(std::vector<ColumnAssignment>& out, const char* column,
               const std::array<std::string_view, Size>& captions, int selected) {
    if (selected >= 0 && selected < static_cast<int>(Size)) {
        out.push_back({column, LeadingNumber(captions[static_cast<size_t>(selected)])});
    }
}

}  // namespace

const std::array<std::string_view, 10> CreatureTypes{
    "1 - Beast",  "2 - Dragon",   "3 - Demon",   "4 - Elemental", "5 - Giant",
    "6 - Undead", "7 - Humanoid", "8 - Critter", "9 - Mehanical", "10 - Not Defined"};

const std::array<std::string_view, 5> CreatureEliteKinds{
    "0 - Normal", "1 - Elite", "2 - Rare Elite", "3 - World Boss", "4 - Rare"};

const std::array<std::string_view, 22> CreatureFamilies{
    "1 - Wolf",         "2 - Cat",          "3 - Spider",      "4 - Bear",      "5 - Boar",
    "6 - Crocolisk",    "7 - Carrion Bird", "8 - Crab",        "9 - Gorila",    "11 - Raptor",
    "12 - Tallstrider", "15 - Felhunter",   "16 - Voidwalker", "17 - Succubus", "19 - Doomguard",
    "20 - Scorpid",     "21 - Turtle",      "23 - Imp",        "24 - Bat",      "25 - Hyena",
    "26 - Owl",         "27 - Wind Serpent"};

const std::array<std::string_view, 34> NpcFlagEntries{"0 No flags",
                                                      "1 Gossip",
                                                      "2 Quest",
                                                      "3 Gossip + Quest",
                                                      "4 Vendor",
                                                      "5 Gossip + Vendor",
                                                      "6 Quest + Vendor",
                                                      "7 Gossip + Quest + Vendor",
                                                      "8 Taxi",
                                                      "9 Gossip + Taxi",
                                                      "10 Quest + Taxi",
                                                      "11 Gossip + Quest + Taxi",
                                                      "12 Vendor + Taxi",
                                                      "13 Gossip + Vendor + Taxi",
                                                      "14 Quest + Vendor + Taxi",
                                                      "15 Gossip + Quest + Vendor + Taxi",
                                                      "16 Trainer",
                                                      "17 Gossip + Trainer",
                                                      "18 Quest + Trainer",
                                                      "19 Gossip + Quest + Trainer",
                                                      "20 Vendor + Trainer",
                                                      "21 Gossip + Vendor + Trainer",
                                                      "22 Quest + Vendor + Trainer",
                                                      "23 Gossip + Quest + Vendor + Trainer",
                                                      "24 Taxi + Trainer",
                                                      "25 Gossip + Taxi + Trainer",
                                                      "26 Quest + Taxi + Trainer",
                                                      "27 Gossip + Quest + Taxi + Trainer",
                                                      "28 Vendor + Taxi + Trainer",
                                                      "29 Gossip + Vendor + Taxi + Trainer",
                                                      "30 Quest + Vendor + Taxi + Trainer",
                                                      "31 Gossip + Quest + Vendor + Taxi + Trainer",
                                                      "32 Healer",
                                                      "33 Gossip + Healer"};

std::vector<ColumnAssignment> CreatureAssignments(const CreatureForm& form, const PickList& models,
                                                  const PickList& factions) {
    std::vector<ColumnAssignment> out{
        {"id", form.Id},
        {"name", form.Name},
        {"level", std::to_string(form.Level)},
        {"model", models.IdAt(form.Model)},
        {"faction", factions.IdAt(form.Faction)},
        {"maxhealth", std::to_string(form.Health)},
        {"maxmana", std::to_string(form.Mana)},
    };
    AddListed(out, "type", CreatureTypes, form.Type);
    AddListed(out, "elite", CreatureEliteKinds, form.Elite);
    AddListed(out, "family", CreatureFamilies, form.Family);
    out.insert(out.end(), {
                              {"guild", form.Guild},
                              {"attack", std::to_string(form.Attack)},
                              {"speed", form.Speed},
                              {"size", form.Size},
                              {"flags1", form.Flags1},
                              {"selltemplate", form.SellTemplate},
                              {"traintemplate", form.TrainTemplate},
                              {"loottemplate", form.LootTemplate},
                              {"npctext", form.NpcText},
                              {"bounding_radius", form.BoundingRadius},
                              {"combat_reach", form.CombatReach},
                              {"money", std::to_string(form.Money)},
                              {"equipmodel", form.EquipModel},
                          });
    if (form.FlagsInput == NpcFlagsInput::Type) {
        out.push_back({"npcflags", form.NpcFlagsText});
    } else if (form.NpcFlags >= 0 && form.NpcFlags < static_cast<int>(NpcFlagEntries.size())) {
        out.push_back({"npcflags", std::to_string(form.NpcFlags)});
    }
    return out;
}

}  // namespace kelvane

#include "import/QuestWords.h"

#include <span>

namespace kelvane {
namespace {

struct NamedNumber {
    std::string_view Name;
    int32_t Number;
};

constexpr NamedNumber kComplexities[] = {
    {"Standard", 0}, {"1", 1},   {"Elite", 1}, {"81", 81}, {"Dungeon", 81}, {"41", 41},
    {"PvP", 41},     {"62", 62}, {"Raid", 62}, {"21", 21}, {"Life", 21},
};

constexpr NamedNumber kRaces[] = {
    {"Human", 1},   {"Orc", 2},     {"Dwarf", 4},  {"NightElf", 8},
    {"Undead", 16}, {"Tauren", 32}, {"Gnome", 64}, {"Troll", 128},
};

// Druid has 512; the "None" mask below leaves 512 out and has 1024 instead.
constexpr NamedNumber kClasses[] = {
    {"Warrior", 1}, {"Paladin", 2}, {"Hunter", 4},    {"Rogue", 8},   {"Priest", 16},
    {"Shaman", 32}, {"Mage", 64},   {"Warlock", 128}, {"Druid", 512},
};

constexpr NamedNumber kBehaviours[] = {
    {"SpeakTo", 1},     {"Delivery", 2}, {"Reputation", 4}, {"Kill", 8},
    {"Repeatable", 16}, {"Explore", 32}, {"Timed", 64},
};

// Tried in this order, and the first name found wins: a name that holds another listed name
// stands before it ("TwoHandedSwords" before "Swords", "PlateMail" before "Mail").
constexpr NamedNumber kTradeSkills[] = {
    {"Balance", 574},
    {"Fury", 256},
    {"Holy", 594},
    {"Lockpicking", 633},
    {"PetHyena", 654},
    {"PetOwl", 655},
    {"PetWindSerpent", 656},
    {"LanguageGutterspeak", 673},
    {"Defense", 95},
    {"Enchanting", 333},
    {"Mining", 186},
    {"TwoHandedSwords", 55},
    {"Swords", 43},
    {"KodoRiding", 713},
    {"RacialTroll", 733},
    {"RacialGnome", 753},
    {"RacialHuman", 754},
    {"Daggers", 173},
    {"Retribution", 184},
    {"PetFelhunter", 189},
    {"Tailoring", 197},
    {"PetVoidwalker", 204},
    {"PetSuccubus", 205},
    {"PetInfernal", 206},
    {"PetWolf", 208},
    {"PetCat", 209},
    {"PetBear", 210},
    {"PetBoar", 211},
    {"PetCrocilisk", 212},
    {"PetCarrionBird", 213},
    {"PetCrab", 214},
    {"PetRaptor", 217},
    {"PetTallstrider", 218},
    {"RacialUndead", 220},
    {"Crossbows", 226},
    {"Wands", 228},
    {"Polearms", 229},
    {"Destruction", 593},
    {"Restoration", 573},
    {"PetTurtle", 251},
    {"Protection", 257},
    {"PlateMail", 293},
    {"Fire", 8},
    {"Guns", 46},
    {"PetTalents", 270},
    {"LanguageCommon", 98},
    {"OrcRacial", 125},
    {"LanguageTroll", 315},
    {"LanguageDemonTongue", 139},
    {"RamRiding", 152},
    {"Demonology", 354},
    {"Affliction", 355},
    {"Leatherworking", 165},
    {"FeralCombat", 134},
    {"Enhancement", 373},
    {"ElementalCombat", 375},
    {"Cloth", 415},
    {"PetScorpid", 236},
    {"Arcane", 237},
    {"RaptorRiding", 533},
    {"MechanostriderPiloting", 553},
    {"UndeadHorsemanship", 554},
    {"PetImp", 188},
    {"Skinning", 393},
    {"LanguageOrcish", 109},
    {"TaurenRacial", 124},
    {"Shield", 433},
    {"LanguageThalassian", 137},
    {"FistWeapons", 473},
    {"LanguageTitan", 140},
    {"WolfRiding", 149},
    {"TwoHandedMaces", 160},
    {"Assassination", 253},
    {"LanguageGnomish", 313},
    {"Discipline", 613},
    {"PetBat", 653},
    {"Mail", 413},
    {"Leather", 414},
    {"Bows", 45},
    {"Thrown", 176},
    {"Frost", 6},
    {"Arms", 26},
    {"Combat", 38},
    {"Subtlety", 39},
    {"Poisons", 40},
    {"TwoHandedAxes", 172},
    {"Axes", 44},
    {"BeastMastery", 50},
    {"Survival", 51},
    {"ShadowMagic", 78},
    {"DwarvenRacial", 101},
    {"LanguageDwarven", 111},
    {"LanguageDarnassian", 113},
    {"LanguageTaurahe", 115},
    {"DualWield", 118},
    {"NightElfRacial", 126},
    {"Staves", 136},
    {"LanguageDraconic", 138},
    {"LanguageOldTongue", 141},
    {"HorseRiding", 148},
    {"TigerRiding", 150},
    {"Swimming", 155},
    {"Marksmanship", 163},
    {"Blacksmithing", 164},
    {"PetSpider", 203},
    {"PetDoomguard", 207},
    {"PetGorilla", 215},
    {"BeastTraining", 261},
    {"Engineering", 202},
    {"Fishing", 356},
    {"Alchemy", 171},
    {"Maces", 54},
    {"Herbalism", 182},
    {"FirstAid", 129},
    {"Cooking", 185},
    {"Unarmed", 162},
};
static_assert(std::size(kTradeSkills) == 116);

bool Holds(std::string_view value, std::string_view name) {
    return value.find(name) != std::string_view::npos;
}

int32_t WholeValueNumber(std::span<const NamedNumber> words, std::string_view value) {
    for (const NamedNumber& word : words) {
        if (word.Name == value) {
            return word.Number;
        }
    }
    return 0;
}

int32_t MaskOfNames(std::span<const NamedNumber> words, std::string_view value) {
    int32_t mask = 0;
    for (const NamedNumber& word : words) {
        if (Holds(value, word.Name)) {
            mask |= word.Number;
        }
    }
    return mask;
}

int32_t FirstNameNumber(std::span<const NamedNumber> words, std::string_view value) {
    for (const NamedNumber& word : words) {
        if (Holds(value, word.Name)) {
            return word.Number;
        }
    }
    return 0;
}

enum class WordReading { WholeValue, Mask, FirstName };

struct WordKey {
    std::string_view Key;
    WordReading Reading;
    std::span<const NamedNumber> Words;
    // What a value holding "None" gives; the whole-value key has no such rule.
    std::optional<int32_t> NoneNumber;
};

const WordKey kWordKeys[] = {
    {"Complexity", WordReading::WholeValue, kComplexities, std::nullopt},
    {"RequiresRace", WordReading::Mask, kRaces, 0x1FF},
    {"RequiresClass", WordReading::Mask, kClasses, 0x5FF},
    {"QuestBehavior", WordReading::Mask, kBehaviours, 0},
    {"RequiresTradeSkill", WordReading::FirstName, kTradeSkills, 0},
};

}  // namespace

std::optional<int32_t> QuestWordNumber(std::string_view key, std::string_view value) {
    for (const WordKey& word : kWordKeys) {
        if (word.Key != key) {
            continue;
        }
        if (word.NoneNumber && Holds(value, "None")) {
            return word.NoneNumber;
        }
        switch (word.Reading) {
            case WordReading::WholeValue:
                return WholeValueNumber(word.Words, value);
            case WordReading::Mask:
                return MaskOfNames(word.Words, value);
            case WordReading::FirstName:
                return FirstNameNumber(word.Words, value);
        }
    }
    return std::nullopt;
}

}  // namespace kelvane

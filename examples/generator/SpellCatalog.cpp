#include "examples/generator/SpellCatalog.h"

#include <algorithm>
#include <array>

#include "examples/generator/Random.h"

namespace kelvane {
namespace {

// What a spell is made of: the first word of its name, and the school that goes with it.
struct Element {
    std::string_view Word;
    std::string_view Matter;
    int School;
};

constexpr std::array<Element, 24> kElements{{
    {"Fire", "fire", 2},       {"Flame", "flame", 2},
    {"Ember", "embers", 2},    {"Frost", "frost", 4},
    {"Ice", "ice", 4},         {"Rime", "rime", 4},
    {"Shadow", "shadow", 5},   {"Void", "void energy", 5},
    {"Dusk", "dusk", 5},       {"Arcane", "arcane energy", 6},
    {"Mana", "raw mana", 6},   {"Star", "starlight", 6},
    {"Holy", "holy light", 1}, {"Sun", "sunlight", 1},
    {"Spirit", "spirit", 1},   {"Nature", "living nature", 3},
    {"Thorn", "thorns", 3},    {"Storm", "lightning", 3},
    {"Moon", "moonlight", 3},  {"Thunder", "thunder", 3},
    {"Stone", "stone", 0},     {"Iron", "iron", 0},
    {"Blood", "blood", 0},     {"Steel", "steel", 0},
}};

// What a spell does: the rest of its name. A suffix without a leading blank joins the element
// word ("Fireball"); the others follow it ("Shadow Nova").
struct Form {
    std::string_view Suffix;
    std::string_view Noun;
    SpellStyle Style;
};

constexpr std::array<Form, 18> kForms{{
    {"ball", "ball", SpellStyle::Projectile},
    {"bolt", "bolt", SpellStyle::Projectile},
    {" Lance", "lance", SpellStyle::Projectile},
    {" Nova", "nova", SpellStyle::Area},
    {" Blast", "blast", SpellStyle::Area},
    {" Wave", "wave", SpellStyle::Area},
    {" Strike", "strike", SpellStyle::Strike},
    {" Lash", "lash", SpellStyle::Strike},
    {" Mend", "mend", SpellStyle::Heal},
    {" Touch", "touch", SpellStyle::Heal},
    {" Renewal", "renewal", SpellStyle::Heal},
    {" Ward", "ward", SpellStyle::Ward},
    {" Shield", "shield", SpellStyle::Ward},
    {" Armor", "armor", SpellStyle::Aura},
    {" Blessing", "blessing", SpellStyle::Aura},
    {" Aura", "aura", SpellStyle::Aura},
    {" Focus", "focus", SpellStyle::Passive},
    {" Mastery", "mastery", SpellStyle::Passive},
}};

constexpr std::array<std::string_view, 7> kSchoolNames{"Physical", "Holy",   "Fire",  "Nature",
                                                       "Frost",    "Shadow", "Arcane"};
constexpr std::array<std::string_view, 6> kStatNames{"Strength",  "Agility", "Stamina",
                                                     "Intellect", "Spirit",  "Armor"};

int BaseAmountFor(SpellStyle style, Random& random) {
    switch (style) {
        case SpellStyle::Projectile:
        case SpellStyle::Area:
        case SpellStyle::Strike:
            return random.Between(8, 40);
        case SpellStyle::Heal:
            return random.Between(25, 60);
        case SpellStyle::Ward:
            return random.Between(40, 90);
        case SpellStyle::Aura:
            return random.Between(3, 12);
        case SpellStyle::Passive:
            break;
    }
    return random.Between(1, 5);
}

int DurationFor(SpellStyle style, Random& random) {
    switch (style) {
        case SpellStyle::Projectile:
        case SpellStyle::Strike:
        case SpellStyle::Heal:
            return random.Percent(30) ? random.Between(2, 6) * 3 : 0;
        case SpellStyle::Ward:
            return random.Percent(50) ? 30 : 60;
        case SpellStyle::Aura:
            return random.Between(1, 6) * 300;
        case SpellStyle::Area:
        case SpellStyle::Passive:
            break;
    }
    return 0;
}

SpellLine MakeLine(Random& random) {
    const Element& element = random.Pick(kElements);
    const Form& form = random.Pick(kForms);
    SpellLine line;
    line.Name = std::string(element.Word) + std::string(form.Suffix);
    line.Noun = form.Noun;
    line.Matter = element.Matter;
    line.School = element.School;
    line.Style = form.Style;
    if (form.Style != SpellStyle::Passive && random.Percent(80)) {
        line.Ranked = true;
        line.RankCount = random.Between(2, 10);
    }
    line.FirstLevel = random.Between(1, 40);
    // Ranks come every few levels, the last by level 70.
    const int levelRoom = (70 - line.FirstLevel) / std::max(1, line.RankCount - 1);
    line.LevelStep = std::clamp(random.Between(4, 8), 1, std::max(1, levelRoom));
    // Damage, healing and absorbing spells learnt later start stronger.
    line.BaseAmount = BaseAmountFor(form.Style, random);
    if (form.Style != SpellStyle::Aura && form.Style != SpellStyle::Passive) {
        line.BaseAmount = line.BaseAmount * (10 + line.FirstLevel) / 10;
    }
    line.AmountStep = line.BaseAmount * random.Between(50, 90) / 100 + 1;
    line.DurationSeconds = DurationFor(form.Style, random);
    line.RadiusYards = form.Style == SpellStyle::Area ? random.Between(2, 6) * 5 : 0;
    if (IsDamage(form.Style) && random.Percent(30)) {
        line.SlowPercent = random.Between(2, 7) * 10;
        line.SlowSeconds = random.Between(2, 8);
    }
    line.Stat = random.Between(0, static_cast<int>(kStatNames.size()) - 1);
    line.Visual = random.Between(100, 9000);
    line.Icon = random.Between(1, 4000);
    line.Family = random.Between(0, 10);
    return line;
}

}  // namespace

SpellCatalog::SpellCatalog(int recordCount, uint32_t seed) {
    Random random(seed);
    records_.reserve(static_cast<size_t>(recordCount));
    int32_t id = 100;
    while (RecordCount() < recordCount) {
        const int lineNumber = static_cast<int>(lines_.size());
        lines_.push_back(MakeLine(random));
        for (int rank = 1; rank <= lines_.back().RankCount && RecordCount() < recordCount; ++rank) {
            id += random.Between(1, 6);
            records_.push_back(SpellRecord{id, lineNumber, rank});
        }
    }
}

int SpellCatalog::Level(int record) const {
    const SpellLine& line = LineOf(record);
    return line.FirstLevel + (Record(record).Rank - 1) * line.LevelStep;
}

int SpellCatalog::Amount(int record) const {
    const SpellLine& line = LineOf(record);
    return line.BaseAmount + (Record(record).Rank - 1) * line.AmountStep;
}

int SpellCatalog::Spread(int record) const {
    switch (LineOf(record).Style) {
        case SpellStyle::Projectile:
        case SpellStyle::Area:
        case SpellStyle::Strike:
        case SpellStyle::Heal:
            return Amount(record) / 4 + 1;
        case SpellStyle::Ward:
        case SpellStyle::Aura:
        case SpellStyle::Passive:
            break;
    }
    return 0;
}

int SpellCatalog::LastingAmount(int record) const {
    const SpellLine& line = LineOf(record);
    switch (line.Style) {
        case SpellStyle::Projectile:
        case SpellStyle::Strike:
        case SpellStyle::Heal:
            return Amount(record) * line.DurationSeconds / 12;
        case SpellStyle::Area:
        case SpellStyle::Ward:
        case SpellStyle::Aura:
        case SpellStyle::Passive:
            break;
    }
    return 0;
}

int SpellCatalog::PowerCost(int record) const {
    if (LineOf(record).Style == SpellStyle::Passive) {
        return 0;
    }
    return 10 + Level(record) * 3 + Amount(record) / 3;
}

bool IsDamage(SpellStyle style) {
    return style == SpellStyle::Projectile || style == SpellStyle::Area ||
           style == SpellStyle::Strike;
}

std::string_view SchoolName(int school) {
    return kSchoolNames.at(static_cast<size_t>(school));
}

std::string_view StatName(int stat) {
    return kStatNames.at(static_cast<size_t>(stat));
}

}  // namespace kelvane

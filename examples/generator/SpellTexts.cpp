#include "examples/generator/SpellTexts.h"

#include "examples/generator/SpellCatalog.h"

namespace kelvane {
namespace {

std::string Number(int value) {
    return std::to_string(value);
}

std::string Damage(const SpellCatalog& catalog, int record) {
    const int amount = catalog.Amount(record);
    return Number(amount) + " to " + Number(amount + catalog.Spread(record)) + " " +
           std::string(SchoolName(catalog.LineOf(record).School)) + " damage";
}

// The lasting part of a damage or healing spell, or "" when it has none.
std::string LastingPart(const SpellCatalog& catalog, int record, std::string_view what) {
    const int lasting = catalog.LastingAmount(record);
    if (lasting == 0) {
        return {};
    }
    return " and an additional " + Number(lasting) + std::string(what) + " over " +
           Number(catalog.LineOf(record).DurationSeconds) + " sec";
}

// The slowing rider of a damage spell, or "" when it has none.
std::string SlowPart(const SpellLine& line) {
    if (line.SlowPercent == 0) {
        return {};
    }
    return " Movement speed of targets hit is reduced by " + Number(line.SlowPercent) + "% for " +
           Number(line.SlowSeconds) + " sec.";
}

}  // namespace

std::string SpellRankText(const SpellCatalog& catalog, int record) {
    const SpellLine& line = catalog.LineOf(record);
    if (line.Style == SpellStyle::Passive) {
        return "Passive";
    }
    return line.Ranked ? "Rank " + Number(catalog.Record(record).Rank) : std::string();
}

std::string SpellDescription(const SpellCatalog& catalog, int record) {
    const SpellLine& line = catalog.LineOf(record);
    const std::string matter(line.Matter);
    const std::string noun(line.Noun);
    const std::string school(SchoolName(line.School));
    const int amount = catalog.Amount(record);
    switch (line.Style) {
        case SpellStyle::Projectile:
            return "Hurls a " + noun + " of " + matter + " at the enemy, causing " +
                   Damage(catalog, record) +
                   LastingPart(catalog, record, " " + school + " damage") + "." + SlowPart(line);
        case SpellStyle::Area:
            return "Unleashes a " + noun + " of " + matter + ", causing " +
                   Damage(catalog, record) + " to all enemies within " + Number(line.RadiusYards) +
                   " yards.";
        case SpellStyle::Strike:
            return "Strikes the enemy with " + matter + " for " + Damage(catalog, record) +
                   LastingPart(catalog, record, " " + school + " damage") + "." + SlowPart(line);
        case SpellStyle::Heal:
            return "Heals a friendly target for " + Number(amount) + " to " +
                   Number(amount + catalog.Spread(record)) +
                   LastingPart(catalog, record, " health") + ".";
        case SpellStyle::Ward:
            return "Surrounds the caster with a " + noun + " of " + matter + " that absorbs " +
                   Number(amount) + " damage. Lasts " + Number(line.DurationSeconds) + " sec.";
        case SpellStyle::Aura:
            return "Fills the party with " + matter + ", increasing " +
                   std::string(StatName(line.Stat)) + " by " + Number(amount) + " for " +
                   Number(line.DurationSeconds / 60) + " min.";
        case SpellStyle::Passive:
            break;
    }
    return "Increases the damage done by your " + school + " spells by " + Number(amount) + "%.";
}

std::string SpellBuffDescription(const SpellCatalog& catalog, int record) {
    const SpellLine& line = catalog.LineOf(record);
    switch (line.Style) {
        case SpellStyle::Projectile:
        case SpellStyle::Strike:
            if (catalog.LastingAmount(record) > 0) {
                return std::string(SchoolName(line.School)) + " damage inflicted every 3 sec.";
            }
            return {};
        case SpellStyle::Heal:
            return catalog.LastingAmount(record) > 0 ? "Heals every 3 sec." : std::string();
        case SpellStyle::Ward:
            return "Absorbs " + Number(catalog.Amount(record)) + " damage.";
        case SpellStyle::Aura:
            return std::string(StatName(line.Stat)) + " increased by " +
                   Number(catalog.Amount(record)) + ".";
        case SpellStyle::Area:
        case SpellStyle::Passive:
            break;
    }
    return {};
}

}  // namespace kelvane

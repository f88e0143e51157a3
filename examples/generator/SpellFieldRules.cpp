#include "examples/generator/SpellFieldRules.h"

#include <algorithm>
#include <array>
#include <utility>

#include "examples/generator/SpellCatalog.h"
#include "examples/generator/SpellTexts.h"

namespace kelvane {
namespace {

SpellStyle StyleOf(const SpellCatalog& catalog, int record) {
    return catalog.LineOf(record).Style;
}

bool IsCast(SpellStyle style) {
    return style == SpellStyle::Projectile || style == SpellStyle::Heal;
}

bool IsAura(SpellStyle style) {
    return style == SpellStyle::Ward || style == SpellStyle::Aura || style == SpellStyle::Passive;
}

int32_t Attributes(const SpellCatalog& catalog, int record) {
    switch (StyleOf(catalog, record)) {
        case SpellStyle::Passive:
            return 0xD0;
        case SpellStyle::Aura:
            return 0x10000;
        default:
            return 0;
    }
}

int32_t CastingTimeIndex(const SpellCatalog& catalog, int record) {
    // Instant spells use entry 1; longer casts for higher levels.
    return IsCast(StyleOf(catalog, record)) ? 4 + std::min(3, catalog.Level(record) / 20) : 1;
}

int32_t RecoveryTime(const SpellCatalog& catalog, int record) {
    switch (StyleOf(catalog, record)) {
        case SpellStyle::Area:
            return 8000;
        case SpellStyle::Strike:
            return 6000;
        case SpellStyle::Ward:
            return 4000;
        default:
            return 0;
    }
}

int32_t RangeIndex(const SpellCatalog& catalog, int record) {
    switch (StyleOf(catalog, record)) {
        case SpellStyle::Projectile:
            return 4;
        case SpellStyle::Strike:
            return 2;
        case SpellStyle::Heal:
            return 5;
        default:
            return 1;  // self
    }
}

int32_t EffectName(const SpellCatalog& catalog, int record) {
    const SpellStyle style = StyleOf(catalog, record);
    if (IsDamage(style)) {
        return 2;
    }
    return style == SpellStyle::Heal ? 10 : 6;
}

int32_t ImplicitTarget(const SpellCatalog& catalog, int record) {
    switch (StyleOf(catalog, record)) {
        case SpellStyle::Projectile:
        case SpellStyle::Strike:
            return 6;
        case SpellStyle::Area:
            return 22;
        case SpellStyle::Heal:
            return 21;
        default:
            return 1;
    }
}

int32_t AuraName(const SpellCatalog& catalog, int record) {
    switch (StyleOf(catalog, record)) {
        case SpellStyle::Ward:
            return 69;
        case SpellStyle::Aura:
            return 29;
        case SpellStyle::Passive:
            return 79;
        case SpellStyle::Heal:
            return catalog.LastingAmount(record) > 0 ? 8 : 0;
        default:
            return catalog.LastingAmount(record) > 0 ? 3 : 0;
    }
}

const std::array<std::pair<std::string_view, IntegerFieldRule>, 32> kIntegerRules{{
    {"ID", [](const SpellCatalog& c, int r) { return c.Record(r).Id; }},
    {"school", [](const SpellCatalog& c, int r) { return c.LineOf(r).School; }},
    {"attributes", Attributes},
    {"CastingTimeIndex", CastingTimeIndex},
    {"RecoveryTime", RecoveryTime},
    {"InterruptFlags",
     [](const SpellCatalog& c, int r) { return IsCast(StyleOf(c, r)) ? 0x0F : 0; }},
    {"AuraInterruptFlags",
     [](const SpellCatalog& c, int r) { return StyleOf(c, r) == SpellStyle::Ward ? 0x1000 : 0; }},
    {"procChance", [](const SpellCatalog&, int) { return 100; }},
    {"maxLevel",
     [](const SpellCatalog& c, int r) {
         return IsAura(StyleOf(c, r)) ? 0 : c.Level(r) + c.LineOf(r).LevelStep - 1;
     }},
    {"baseLevel", [](const SpellCatalog& c, int r) { return c.Level(r); }},
    {"spellLevel", [](const SpellCatalog& c, int r) { return c.Level(r); }},
    {"duration ($d) [id number for S",
     [](const SpellCatalog& c, int r) {
         const int seconds = c.LineOf(r).DurationSeconds;
         return seconds > 0 ? 1 + seconds / 3 : 0;
     }},
    {"powerType", [](const SpellCatalog& c, int r) { return c.LineOf(r).School == 0 ? 1 : 0; }},
    {"manacost [or energy]", [](const SpellCatalog& c, int r) { return c.PowerCost(r); }},
    {"rangeIndex", RangeIndex},
    {"EquippedItemClass", [](const SpellCatalog&, int) { return -1; }},
    {"SpellEffectNames($M1)", EffectName},
    {"EffectDieSides[1]", [](const SpellCatalog& c, int r) { return c.Spread(r) + 1; }},
    {"EffectBaseDice[1]", [](const SpellCatalog&, int) { return 1; }},
    {"effectbase[3] ($s1)", [](const SpellCatalog& c, int r) { return c.Amount(r) - 1; }},
    {"EffectImplicitTargetA[1]", ImplicitTarget},
    {"EffectRadiusIndex[1]",
     [](const SpellCatalog& c, int r) {
         const int yards = c.LineOf(r).RadiusYards;
         return yards > 0 ? 7 + yards / 5 : 0;
     }},
    {"EffectApplyAuraName[1]", AuraName},
    {"EffectAmplitude[1]",
     [](const SpellCatalog& c, int r) { return c.LastingAmount(r) > 0 ? 3000 : 0; }},
    {"SpellVisual", [](const SpellCatalog& c, int r) { return c.LineOf(r).Visual; }},
    {"iconID", [](const SpellCatalog& c, int r) { return c.LineOf(r).Icon; }},
    {"NameFlags", [](const SpellCatalog&, int) { return 0x3F; }},
    {"RankFlags",
     [](const SpellCatalog& c, int r) { return SpellRankText(c, r).empty() ? 0 : 0x3F; }},
    {"DescriptionFlags", [](const SpellCatalog&, int) { return 0x3F; }},
    {"StartRecoveryCategory",
     [](const SpellCatalog& c, int r) { return StyleOf(c, r) == SpellStyle::Passive ? 0 : 1; }},
    {"StartRecoveryTime",
     [](const SpellCatalog& c, int r) { return StyleOf(c, r) == SpellStyle::Passive ? 0 : 1500; }},
    {"SpellFamilyName", [](const SpellCatalog& c, int r) { return c.LineOf(r).Family; }},
}};

const std::array<std::pair<std::string_view, FloatFieldRule>, 2> kFloatRules{{
    {"speed",
     [](const SpellCatalog& c, int r) {
         // Projectiles fly at a few speeds; everything else arrives at once.
         const bool flies = StyleOf(c, r) == SpellStyle::Projectile;
         return flies ? 20.0f + 4.0f * static_cast<float>(c.LineOf(r).Visual % 3) : 0.0f;
     }},
    {"EffectRealPointsPerLevel[1]",
     [](const SpellCatalog& c, int r) {
         const SpellStyle style = StyleOf(c, r);
         if (!IsDamage(style) && style != SpellStyle::Heal) {
             return 0.0f;
         }
         return 0.5f + 0.25f * static_cast<float>(c.LineOf(r).LevelStep % 3);
     }},
}};

template <class Rule, size_t N>
Rule FindRule(const std::array<std::pair<std::string_view, Rule>, N>& rules,
              std::string_view name) {
    const auto found = std::find_if(rules.begin(), rules.end(),
                                    [&](const auto& rule) { return rule.first == name; });
    return found == rules.end() ? nullptr : found->second;
}

}  // namespace

IntegerFieldRule FindIntegerFieldRule(std::string_view name) {
    return FindRule(kIntegerRules, name);
}

FloatFieldRule FindFloatFieldRule(std::string_view name) {
    return FindRule(kFloatRules, name);
}

}  // namespace kelvane

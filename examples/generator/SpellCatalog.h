#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum class SpellStyle { Projectile, Area, Strike, Heal, Ward, Aura, Passive };

bool IsDamage(SpellStyle style);

// One spell and its ranks: every rank shares the name, school and look, and its numbers grow
// with the rank.
struct SpellLine {
    std::string Name;
    std::string_view Noun;    // "ball", "nova", ... as the descriptions call it
    std::string_view Matter;  // "fire", "holy light", ...
    int School = 0;           // 0 Physical, 1 Holy, 2 Fire, 3 Nature, 4 Frost, 5 Shadow, 6 Arcane
    SpellStyle Style = SpellStyle::Projectile;
    int RankCount = 1;
    bool Ranked = false;  // whether the records carry "Rank n"
    int FirstLevel = 1;
    int LevelStep = 0;
    int BaseAmount = 0;
    int AmountStep = 0;
    int DurationSeconds = 0;  // 0: no lasting effect
    int RadiusYards = 0;      // 0: a single target
    int SlowPercent = 0;      // how much a damage spell slows its targets; 0: not at all
    int SlowSeconds = 0;
    int Stat = 0;  // which attribute an aura raises
    int Visual = 0;
    int Icon = 0;
    int Family = 0;
};

// One record of a spell table: a rank of a line.
struct SpellRecord {
    int32_t Id = 0;  // ascending with small gaps
    int Line = 0;
    int Rank = 1;  // from 1
};

// Made-up spells for generated tables: lines of ranked spells, laid out as recordCount records.
// The same seed gives the same spells.
class SpellCatalog {
  public:
    SpellCatalog(int recordCount, uint32_t seed);

    int RecordCount() const { return static_cast<int>(records_.size()); }
    const SpellRecord& Record(int record) const { return records_[static_cast<size_t>(record)]; }
    const SpellLine& LineOf(int record) const {
        return lines_[static_cast<size_t>(Record(record).Line)];
    }

    int Level(int record) const;
    // The least amount of the effect (damage, healing, absorption, attribute or percent).
    int Amount(int record) const;
    // The amount's range above its least value; 0 for fixed amounts.
    int Spread(int record) const;
    // Damage or healing done by the lasting part of the effect, over its whole duration.
    int LastingAmount(int record) const;
    int PowerCost(int record) const;

  private:
    std::vector<SpellLine> lines_;
    std::vector<SpellRecord> records_;
};

std::string_view SchoolName(int school);
std::string_view StatName(int stat);

}  // namespace kelvane

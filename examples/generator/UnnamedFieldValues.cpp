#include "examples/generator/UnnamedFieldValues.h"

#include "examples/generator/Random.h"
#include "examples/generator/SpellCatalog.h"

namespace kelvane {
namespace {

enum class IntegerSort { Zero, MostlyZero, SmallNumber, Reference, Flags, SameForLine, MinusOne };
enum class FloatSort { Zero, One, Fraction };

IntegerSort DrawIntegerSort(Random& random) {
    const uint32_t draw = random.Below(100);
    if (draw < 30) {
        return IntegerSort::Zero;
    }
    if (draw < 50) {
        return IntegerSort::MostlyZero;
    }
    if (draw < 65) {
        return IntegerSort::SmallNumber;
    }
    if (draw < 75) {
        return IntegerSort::Reference;
    }
    if (draw < 85) {
        return IntegerSort::Flags;
    }
    return draw < 95 ? IntegerSort::SameForLine : IntegerSort::MinusOne;
}

int32_t DrawFlags(Random& random) {
    uint32_t flags = 0;
    for (int32_t bits = random.Between(1, 3); bits > 0; --bits) {
        flags |= 1u << random.Below(32);
    }
    return static_cast<int32_t>(flags);
}

int32_t DrawInteger(IntegerSort sort, Random& random, uint32_t lineSeed, int line) {
    switch (sort) {
        case IntegerSort::Zero:
            return 0;
        case IntegerSort::MostlyZero:
            return random.Percent(90) ? 0 : random.Between(1, 100);
        case IntegerSort::SmallNumber:
            return random.Between(0, 7);
        case IntegerSort::Reference:
            return random.Percent(60) ? 0 : random.Between(1, 40000);
        case IntegerSort::Flags:
            return random.Percent(50) ? 0 : DrawFlags(random);
        case IntegerSort::SameForLine:
            return static_cast<int32_t>(MixSeed(lineSeed, static_cast<uint32_t>(line)) % 5000);
        case IntegerSort::MinusOne:
            break;
    }
    return random.Percent(95) ? -1 : random.Between(0, 20);
}

float DrawFloat(FloatSort sort, Random& random) {
    switch (sort) {
        case FloatSort::Zero:
            return 0.0f;
        case FloatSort::One:
            return random.Percent(90) ? 1.0f : 0.0f;
        case FloatSort::Fraction:
            break;
    }
    return random.Percent(70) ? 0.0f : 0.25f * static_cast<float>(random.Between(1, 40));
}

}  // namespace

void FillUnnamedIntegers(ColumnVector<int32_t>& cells, const SpellCatalog& catalog,
                         Random& random) {
    const IntegerSort sort = DrawIntegerSort(random);
    const uint32_t lineSeed = random.Below(0xFFFFFFFFu);
    for (size_t record = 0; record < cells.size(); ++record) {
        const int line = catalog.Record(static_cast<int>(record)).Line;
        cells[record] = DrawInteger(sort, random, lineSeed, line);
    }
}

void FillUnnamedFloats(ColumnVector<double>& cells, Random& random) {
    const auto sort = static_cast<FloatSort>(random.Below(3));
    for (double& value : cells) {
        value = DrawFloat(sort, random);
    }
}

}  // namespace kelvane

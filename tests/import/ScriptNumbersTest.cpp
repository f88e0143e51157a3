#include "import/ScriptNumbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "import/ScriptNumberText.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using Quad = std::array<float, 4>;

TEST(ScriptNumbers, IntegerValue) {
    const struct {
        std::string_view Line;
        int32_t Value;
    } cases[] = {
        {"x=123", 123},
        {"x=-5", -5},
        {"x=+7", 7},
        {"x=$1F", 31},
        {"x=x1f", 31},
        {"x=010", 16},  // a leading 0 makes the whole text hexadecimal
        {"x=0A", 10},
        {"x=0FFFFFFFF", -1},
        {"x=000000000FF", 255},
        {"x=0100000000", 0},  // above FFFFFFFF
        {"x=0", 0},
        {"x=0x10", 0},
        {"x=-0x10", -16},     // not a leading 0: the table's own reading
        {"x=-$FFFFFFFF", 0},  // beyond the range, as "-4294967295" is
        {"x=2147483647", 2147483647},
        {"x=-2147483648", INT32_MIN},
        {"x=2147483648", 0},
        {"x=12 // c", 12},
        {"x=12//c", 12},
        {"x=12,13", 12},
        {"x=12\t13", 12},
        {"x=12abc", 0},
        {"x=", 0},
        {"x= 12", 0},   // the blank after "=" cuts the text to nothing
        {"a/b=12", 0},  // so does a "/" in the key
        {"a b=12", 0},
        {"  x=12  ", 12},
        {"/x=12", 12},  // a cut character that starts the line cuts nothing
        {"12", 12},     // no "=": the whole line
        {"x=1=2", 0},
        {"x=-", 0},
        {"x=$", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntegerValue(c.Line), c.Value) << c.Line;
    }
}

TEST(ScriptNumbers, IntegerPair) {
    const struct {
        std::string_view Line;
        IntegerPair Pair;
    } cases[] = {
        {"k=123,5", {123, 5}},
        {"k=123, 5", {123, 5}},
        {"k=123", {123, 0}},
        {"k=123,5 // c", {123, 0}},  // the second number runs to the end of the line
        {"k=abc,5", {0, 0}},
        {"k=010,010", {16, 16}},
        {"k=010, 010", {16, 10}},  // hexadecimal only when the 0 comes first, before trimming
        {"k=123 ,5", {123, 5}},    // a blank does not cut here
        {"k=-1,$10", {-1, 16}},
        {"k=,5", {0, 0}},
        {"k=5,", {5, 0}},
        {"k=5,6,7", {5, 0}},
        {"k=5/6", {5, 6}},  // "/" ends the first number as a "," does
        {"k/x=5,6", {0, 0}},
        {"k=2589, 5\t", {2589, 5}},
    };
    for (const auto& c : cases) {
        const IntegerPair pair = ReadIntegerPair(c.Line);
        EXPECT_EQ(pair.First, c.Pair.First) << c.Line;
        EXPECT_EQ(pair.Second, c.Pair.Second) << c.Line;
    }
}

TEST(ScriptNumbers, FloatValue) {
    const struct {
        std::string_view Line;
        float Value;
    } cases[] = {
        {"f=1.5", 1.5f},
        {"f=-2e3", -2000.0f},
        {"f=1,5", -1.0f},  // "." whatever the locale; a "," does not cut here
        {"f=abc", -1.0f},
        {"f=0.1", 0.1f},
        {"f=.5", 0.5f},
        {"f=5.", 5.0f},
        {"f=.", 0.0f},
        {"f=+1E+2", 100.0f},
        {"f=1e", -1.0f},
        {"f=1.2.3", -1.0f},
        {"f=", -1.0f},
        {"f=1.5 // slow", 1.5f},
        {"f=3.4e38", 3.4e38f},
        {"f=1e39", -1.0f},  // beyond a 32-bit float
        {"f=-1e39", -1.0f},
        {"f=1e-50", 0.0f},  // too small for one reads as 0
        {"f=0.000000000000000000000000000000000000000000000000001", 0.0f},
        {"f=1e99999999999999999999", -1.0f},
        {"f=0e99999999999999999999", 0.0f},
        {"f=inf", -1.0f},
        {"f=nan", -1.0f},
        {"f=0x1p3", -1.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatValue(c.Line), c.Value) << c.Line;
    }
}

TEST(ScriptNumbers, FloatsReadADotWhateverTheUserSeparator) {
    const testing::DecimalSeparatorScope comma(',');
    EXPECT_EQ(FloatValue("f=1.5"), 1.5f);
    EXPECT_EQ(FloatValue("f=1,5"), -1.0f);
    EXPECT_EQ(LootChance("loot=1 2.25"), 2.25f);
    EXPECT_EQ(FloatQuad("XYZ=1.5 2", QuadSeparator::Blank), (Quad{1.5f, 2, 0, 0}));
}

TEST(ScriptNumbers, LootChanceReadsEverythingAfterTheFirstBlank) {
    const struct {
        std::string_view Line;
        float Chance;
    } cases[] = {
        {"loot=1234 25.5", 25.5f},  {"loot=1234", -1.0f},    {"loot=1234 25.5 // x", -1.0f},
        {"loot=1234  25.5", 25.5f},  // the float rule allows leading blanks
        {"loot=1234 10", 10.0f},    {"loot=1234 -3", -3.0f}, {"loot=1234\t25.5", -1.0f},
        {" loot=1234 5 ", 5.0f},    {"7.5", 7.5f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LootChance(c.Line), c.Chance) << c.Line;
    }
}

TEST(ScriptNumbers, FloatQuadWithBlanks) {
    const struct {
        std::string_view Line;
        Quad Numbers;
    } cases[] = {
        {"XYZ=1.5 2.5 3 0.25", {1.5f, 2.5f, 3, 0.25f}},
        {"XYZ=-8913.23 554.63 93.06 0.66", {-8913.23f, 554.63f, 93.06f, 0.66f}},
        {"XYZ=1 2", {1, 2, 0, 0}},
        {"XYZ=1 2 3", {1, 2, 3, 0}},
        {"XYZ=1  2 3 4", {1, 0, 2, 3}},  // two blanks give an empty piece
        {"XYZ=1/2 3 4", {1, 2, 3, 4}},
        {"XYZ=1\t2\t3\t4", {1, 2, 3, 4}},
        {"XYZ=1,5 2 3 4", {0, 2, 3, 4}},
        {"XYZ=1 2 3 4 5", {1, 2, 3, 4}},
        {"XYZ=", {0, 0, 0, 0}},
        {"XYZ=a 2 b 4", {0, 2, 0, 4}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatQuad(c.Line, QuadSeparator::Blank), c.Numbers) << c.Line;
    }
}

TEST(ScriptNumbers, FloatQuadWithCommas) {
    const struct {
        std::string_view Line;
        Quad Numbers;
    } cases[] = {
        {"Location=1, 2, 3, 4", {1, 2, 3, 4}},
        {"Location=1, 2.5, -3, 4 // x", {1, 2.5f, -3, 4}},
        {"Location=0, -8913.2, 554.6, 93.1", {0, -8913.2f, 554.6f, 93.1f}},
        {"Location=1,,3,4", {1, 0, 3, 4}},
        {"Location=1 2, 3", {0, 3, 0, 0}},  // a blank does not separate here
        {"Location=1", {1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatQuad(c.Line, QuadSeparator::Comma), c.Numbers) << c.Line;
    }
}

TEST(ScriptNumberText, IntegerTextsWithALeadingZeroAreHexadecimal) {
    const struct {
        std::string_view Text;
        std::optional<int32_t> Value;
    } cases[] = {
        {"0", 0},    {"07", 7}, {"0ff", 255}, {"0FFFFFFFF", -1}, {"0x1", {}},   {"0-1", {}},
        {"0 1", {}}, {"", {}},  {"10", 10},   {"$ff", 255},      {"-x10", -16}, {"1 ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadScriptInteger(c.Text), c.Value) << c.Text;
    }
}

}  // namespace
}  // namespace kelvane

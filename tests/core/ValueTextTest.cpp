#include "core/base/ValueText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/base/DecimalSeparator.h"
#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"

namespace kelvane {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<int32_t> value;
};

TEST(ValueText, IntegerTextsAreReadInEveryForm) {
    const IntegerCase cases[] = {
        {"42", 42},
        {"  -7", -7},
        {"+15", 15},
        {"$1F", 31},
        {"x1f", 31},
        {"X1F", 31},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"-0x80000000", std::numeric_limits<int32_t>::min()},
        // A negated pattern is a number, refused past the range as its decimal form is.
        {"-0x80000001", std::nullopt},
        {"-0xFFFFFFFF", std::nullopt},
        {"-$100000000", std::nullopt},
        {"$FFFFFFFF", -1},
        {"$80000000", std::numeric_limits<int32_t>::min()},
        {"$000000001", 1},  // leading zeros are not significant
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"- 1", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(ParseIntegerText(c.text), c.value) << "text '" << c.text << "'";
    }
}

struct FloatCase {
    double value;
    const char* text;
};

TEST(ValueText, FloatsUseGeneralFormatWithFifteenDigits) {
    SetDecimalSeparator('.');
    const FloatCase cases[] = {
        {0.0, "0"},
        {1.0, "1"},
        {-2.5, "-2.5"},
        {0.1f, "0.100000001490116"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {-3.25e20, "-3.25E20"},
        {100.0, "100"},
        {std::numeric_limits<double>::infinity(), "INF"},
    };
    for (const FloatCase& c : cases) {
        EXPECT_EQ(FloatText(c.value), c.text);
        const auto back = ParseFloatText(c.text);
        ASSERT_TRUE(back.has_value()) << c.text;
        EXPECT_EQ(FloatText(*back), c.text) << "round trip of " << c.text;
    }
}

// Every 32-bit float of a file has a text that reads back as its very bits: the values a
// decimal text would lose go by their sign or their pattern.
TEST(ValueText, FloatTextsReadBackBitForBit) {
    SetDecimalSeparator(',');
    const struct {
        uint32_t Bits;
        const char* Text;
    } cases[] = {
        {0x00000000, "0"},
        {0x80000000, "-0"},
        {0x7FC00000, "NAN"},
        {0x7FC00001, "NAN(0x7FC00001)"},
        {0xFFC00000, "NAN(0xFFC00000)"},
        {0x7F800001, "NAN(0x7F800001)"},  // signalling, which the hardware would make quiet
        {0xFFFFFFFF, "NAN(0xFFFFFFFF)"},
        {0x7F800000, "INF"},
        {0xFF800000, "-INF"},
        {0x00000001, "1,40129846432482E-45"},
        {0x807FFFFF, "-1,17549421069244E-38"},
        {0x7F7FFFFF, "3,40282346638529E38"},
    };
    for (const auto& c : cases) {
        const double value = WidenFloat(std::bit_cast<float>(c.Bits));
        EXPECT_EQ(FloatText(value), c.Text);
        const std::optional<double> back = ParseFloatText(c.Text);
        ASSERT_TRUE(back.has_value()) << c.Text;
        // Imports compare doubles bit for bit; a 15-digit text of other values saves the same.
        if (!std::isfinite(value) || value == 0) {
            EXPECT_EQ(std::bit_cast<uint64_t>(*back), std::bit_cast<uint64_t>(value)) << c.Text;
        }
        EXPECT_EQ(std::bit_cast<uint32_t>(NearestFloat(*back)), c.Bits) << c.Text;
    }
    SetDecimalSeparator('.');
}

// A NaN pattern in any case, and C hexadecimal floats with their binary exponent; a pattern
// that is no NaN, or a hexadecimal number without the exponent, is no float.
TEST(ValueText, NanPatternsAndHexadecimalFloatsAreRead) {
    SetDecimalSeparator('.');
    const struct {
        const char* Text;
        std::optional<uint32_t> Bits;
    } cases[] = {
        {"nan(0x7fc00001)", 0x7FC00001},
        {" NAN(0X7FC00001) ", 0x7FC00001},
        {"NAN(0x7FC00000)", 0x7FC00000},
        {"NAN(0x3F800000)", std::nullopt},
        {"NAN(0x7F800000)", std::nullopt},
        {"NAN(0x17FC00000)", std::nullopt},
        {"NAN(7FC00001)", std::nullopt},
        {"NAN(0x7FC00001", std::nullopt},
        {"NANA", std::nullopt},
        {"-0x0p+0", 0x80000000},
        {"0x1.8p+1", 0x40400000},
        {"+0X1P-149", 0x00000001},
        {"0x10", std::nullopt},
        {"0x-1p3", std::nullopt},
        {"0xp3", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> value = ParseFloatText(c.Text);
        ASSERT_EQ(value.has_value(), c.Bits.has_value()) << c.Text;
        if (value) {
            EXPECT_EQ(std::bit_cast<uint32_t>(NearestFloat(*value)), *c.Bits) << c.Text;
        }
    }
}

TEST(ValueText, FloatsFollowTheUsersDecimalSeparator) {
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatText(-2.5), "-2,5");
    EXPECT_EQ(FloatText(1.5e-7), "1,5E-7");
    EXPECT_EQ(ParseFloatText("2,5"), 2.5);
    EXPECT_EQ(ParseFloatText(" 1,5e3 "), 1500.0);
    SetDecimalSeparator('.');
    EXPECT_EQ(FloatText(-2.5), "-2.5");
    EXPECT_EQ(ParseFloatText("2.5"), 2.5);
    EXPECT_EQ(ParseFloatText("2,5"), std::nullopt);
}

TEST(ValueText, TextsThatAreNoNumberAreRefused) {
    SetDecimalSeparator('.');
    for (const char* text : {"", " ", "abc", "1.2.3", "0x10", "1e", "--1", "infinity", "1 2"}) {
        EXPECT_EQ(ParseFloatText(text), std::nullopt) << "text '" << text << "'";
    }
    EXPECT_TRUE(std::isnan(*ParseFloatText("NAN")));
}

TEST(ValueText, HexadecimalDisplayAndEntry) {
    EXPECT_EQ(HexDisplayText(0), "0");
    EXPECT_EQ(HexDisplayText(31), "1F");
    EXPECT_EQ(HexDisplayText(255), "FF");
    EXPECT_EQ(HexDisplayText(-1), "FFFFFFFF");
    EXPECT_EQ(ParseHexEntry(" ff\t"), 255);
    EXPECT_EQ(ParseHexEntry("FFFFFFFF"), -1);
    EXPECT_EQ(ParseHexEntry("80000000"), std::numeric_limits<int32_t>::min());
    for (const char* typed : {"", "100000000", "-1", "G"}) {
        EXPECT_THROW(ParseHexEntry(typed), KelvaneError) << "typed '" << typed << "'";
    }
    try {
        ParseHexEntry("   ");
        FAIL();
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "'$' is not a valid integer value");
    }
}

TEST(ValueText, RoundingGoesToTheEvenNeighbour) {
    EXPECT_EQ(RoundToInteger(0.5), 0);
    EXPECT_EQ(RoundToInteger(1.5), 2);
    EXPECT_EQ(RoundToInteger(-2.5), -2);
    EXPECT_EQ(RoundToInteger(2.6), 3);
    EXPECT_EQ(RoundToInteger(3e9), std::nullopt);
    EXPECT_EQ(RoundToInteger(std::nan("")), std::nullopt);
}

}  // namespace
}  // namespace kelvane

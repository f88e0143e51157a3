#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "core/DecimalSeparator.h"
#include "core/KelvaneError.h"

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

#include "core/base/EchoText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

using namespace std::string_literals;

TEST(EchoText, CutsAtEightyCharactersAndEscapesControlBytes) {
    const std::string eighty(80, 'a');
    std::string twentyEscapes;  // 80 characters
    for (int i = 0; i < 20; ++i) {
        twentyEscapes += "\\x01";
    }
    const struct {
        std::string Text;
        std::string Shown;
    } cases[] = {
        {"", ""},
        {"plain text, \"quoted\" and C:\\path", "plain text, \"quoted\" and C:\\path"},
        {eighty, eighty},
        {eighty + "b", eighty + "..."},
        {std::string(1'000'000, 'x'), std::string(80, 'x') + "..."},
        {"a\r\nb\tc", "a\\r\\nb\\tc"},
        {"nul\0inside"s, "nul\\0inside"},
        {"\x01\x1f\x7f\x1b[2J", "\\x01\\x1f\\x7f\\x1b[2J"},
        {"\xC9lite \xE2\x82\xAC", "\xC9lite \xE2\x82\xAC"},  // high bytes stand for themselves
        // An escape is never split: it goes whole or not at all.
        {std::string(78, 'a') + "\n", std::string(78, 'a') + "\\n"},
        {std::string(79, 'a') + "\nb", std::string(79, 'a') + "..."},
        {std::string(40, '\x01'), twentyEscapes + "..."},
        // Nor a UTF-8 character: the cut moves to its start.
        {std::string(79, 'a') + "\xE2\x82\xAC", std::string(79, 'a') + "..."},
        {std::string(78, 'a') + "\xC3\xA9\xC3\xA9", std::string(78, 'a') + "\xC3\xA9..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EchoText(c.Text), c.Shown) << c.Text.substr(0, 100);
    }
}

TEST(EchoText, EscapedTextEscapesLikeEchoTextButCutsNothing) {
    const std::string longText = std::string(500, 'a') + "\n" + std::string(500, 'b');
    const struct {
        std::string Text;
        std::string Shown;
    } cases[] = {
        {"", ""},
        {"X\n\\! touch PWNED\nDROP TABLE victim;#", "X\\n\\! touch PWNED\\nDROP TABLE victim;#"},
        {"\r\t\0\x1b[2J\x7f"s, "\\r\\t\\0\\x1b[2J\\x7f"},
        {"caf\xC3\xA9 \xE9", "caf\xC3\xA9 \xE9"},
        {longText, std::string(500, 'a') + "\\n" + std::string(500, 'b')},
    };
    for (const auto& c : cases) {
        const std::string shown = EscapedText(c.Text);
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(shown.find_first_of("\r\n"), std::string::npos);
    }
}

TEST(EchoText, QuotedListEchoesEachTextAndCountsThoseBeyondTheListed) {
    const auto numbered = [](size_t count) {
        std::vector<std::string> texts;
        for (size_t i = 0; i < count; ++i) {
            texts.push_back(std::to_string(i));
        }
        return texts;
    };
    const struct {
        std::vector<std::string> Texts;
        size_t Listed;
        std::string Shown;
    } cases[] = {
        {{}, SIZE_MAX, ""},
        {{"12", "a\tb", ""}, SIZE_MAX, "'12', 'a\\tb', ''"},
        {{"12", "a\tb", ""}, 3, "'12', 'a\\tb', ''"},
        {{"12", "a\tb", ""}, 2, "'12', 'a\\tb' and 1 more"},
        {{std::string(100, 'x'), "y"}, 1, "'" + std::string(80, 'x') + "...' and 1 more"},
        {numbered(4326), 5, "'0', '1', '2', '3', '4' and 4,321 more"},
        {numbered(1'000'003), 3, "'0', '1', '2' and 1,000,000 more"},
        {numbered(1003), 3, "'0', '1', '2' and 1,000 more"},
        {numbered(1002), 3, "'0', '1', '2' and 999 more"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuotedList(c.Texts, c.Listed), c.Shown);
    }
}

}  // namespace
}  // namespace kelvane

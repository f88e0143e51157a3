#include "core/EchoText.h"

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

TEST(EchoText, QuotedListEchoesEachText) {
    EXPECT_EQ(QuotedList(std::vector<std::string>{}), "");
    EXPECT_EQ(QuotedList(std::vector<std::string>{"12", "a\tb", ""}), "'12', 'a\\tb', ''");
}

}  // namespace
}  // namespace kelvane

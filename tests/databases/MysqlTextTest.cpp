#include "databases/MysqlText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/Utf8.h"

namespace kelvane {
namespace {

using namespace std::string_literals;

TEST(MysqlText, StringLiteralsEscapeWhatTheClientAndServerWouldMisread) {
    struct Case {
        std::string Text;
        std::string Literal;
    };
    const std::vector<Case> cases = {
        {"", "''"},
        {"plain", "'plain'"},
        {"it's", R"('it\'s')"},
        {R"(C:\path\)", R"('C:\\path\\')"},
        {"a\0b"s, R"('a\0b')"},
        {"line\r\nbreak\n", R"('line\r\nbreak\n')"},
        {"end\x1A", R"('end\Z')"},
        // Double quotes, tabs and other bytes need nothing inside single quotes.
        {"\"quoted\"\tcol, 100%_", "'\"quoted\"\tcol, 100%_'"},
        {"Größe \xF0\x9F\x94\xA5", "'Größe \xF0\x9F\x94\xA5'"},
        {R"(\')", R"('\\\'')"},
    };
    for (const Case& c : cases) {
        std::string out = "x";
        AppendMysqlString(out, c.Text);
        EXPECT_EQ(out, "x" + c.Literal) << c.Text;
    }
}

TEST(MysqlText, HexLiteralsCarryAnyBytes) {
    std::string out;
    AppendMysqlHex(out, "");
    AppendMysqlHex(out, "\x00\x7F\x80\xFF'\\"s);
    EXPECT_EQ(out, "X''X'007F80FF275C'");
}

TEST(MysqlText, NamesAreBackQuotedWithTheirBackQuotesDoubled) {
    EXPECT_EQ(MysqlName("Spell"), "`Spell`");
    EXPECT_EQ(MysqlName("Name`s"), "`Name``s`");
    EXPECT_EQ(MysqlName("``"), "``````");
    EXPECT_EQ(MysqlName("it's \"x\""), "`it's \"x\"`");
}

TEST(MysqlText, Utf8IsCheckedAsUtf8mb4TakesIt) {
    struct Case {
        std::string Bytes;
        bool Utf8;
    };
    const std::vector<Case> cases = {
        {"", true},
        {"ascii \x01\x7F", true},
        {"\xC3\xA9", true},                   // é
        {"\xE2\x82\xAC", true},               // €
        {"\xF0\x9F\x94\xA5", true},           // an emoji, beyond U+FFFF
        {"\xF4\x8F\xBF\xBF", true},           // U+10FFFF, the last code point
        {"\xE9", false},                      // é in Windows-1252
        {"\xC3", false},                      // cut short
        {"\xE2\x82", false},                  // cut short
        {"\xC0\xAF", false},                  // overlong "/"
        {"\xE0\x80\xAF", false},              // overlong "/"
        {"\xED\xA0\x80", false},              // a surrogate
        {"\xF4\x90\x80\x80", false},          // beyond U+10FFFF
        {"\xF5\x80\x80\x80", false},          // no such lead byte
        {"\x80", false},                      // a continuation byte alone
        {"ok \xC3\xA9 then \xFF", false},     // a bad byte after good ones
        {"\xC3\xA9\xE2\x82\xAC\xC3", false},  // cut short at the end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsUtf8(c.Bytes), c.Utf8) << ::testing::PrintToString(c.Bytes);
    }
}

}  // namespace
}  // namespace kelvane

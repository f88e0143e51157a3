#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "import/ScriptLines.h"
#include "import/ScriptSyntax.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

std::vector<std::string_view> LinesOf(const ScriptLines& lines) {
    std::vector<std::string_view> views;
    for (int index = 0; index < lines.Count(); ++index) {
        views.push_back(lines.Line(index));
    }
    return views;
}

TEST(ScriptLines, SplitsAtEveryLineEndAndStopsAtNul) {
    using namespace std::string_literals;
    const struct {
        std::string Text;
        std::vector<std::string_view> Lines;
        std::optional<ScriptNulCut> NulCut;
    } cases[] = {
        {"", {}, {}},
        {"[a 1]\r\nx=1\r\n", {"[a 1]", "x=1"}, {}},
        {"[a 1]\nx=1", {"[a 1]", "x=1"}, {}},  // no line end after the last line
        {"a\rb\r\nc\nd", {"a", "b", "c", "d"}, {}},
        {"  x = 1 \t\n\n", {"  x = 1 \t", ""}, {}},  // stored as read, not trimmed
        // A NUL ends the text; where it stood and what it left unread are kept.
        {"x=1\ny=2\0\nz=3"s, {"x=1", "y=2"}, ScriptNulCut{2, 5}},
        {"x=1\r\n\0z=3\0"s, {"x=1"}, ScriptNulCut{2, 5}},
        {"x=1\r\0"s, {"x=1"}, ScriptNulCut{2, 1}},
        {"\0x=1"s, {}, ScriptNulCut{1, 4}},
        {"caf\xE9=\x80\xFF\n", {"caf\xE9=\x80\xFF"}, {}},  // bytes of any code page pass through
    };
    for (const auto& c : cases) {
        const ScriptLines lines(c.Text);
        EXPECT_EQ(LinesOf(lines), c.Lines) << ::testing::PrintToString(c.Text);
        EXPECT_EQ(lines.NulCut(), c.NulCut) << ::testing::PrintToString(c.Text);
    }
}

TEST(ScriptLines, LoadsAFileOrFailsWithItsPath) {
    const testing::TempDir folder;
    folder.Write("a.scp", "[item 1]\r\nname=x");
    const ScriptLines lines = ScriptLines::Load(folder.File("a.scp"));
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string_view>{"[item 1]", "name=x"}));

    const std::string missing = folder.File("missing.scp");
    try {
        ScriptLines::Load(missing);
        FAIL() << "a missing file was read";
    } catch (const KelvaneError& error) {
        EXPECT_TRUE(
            std::string_view(error.what()).starts_with("Cannot open file \"" + missing + "\". "))
            << error.what();
    }
}

TEST(ScriptLines, FindsSectionStartsAndEnds) {
    const ScriptLines lines(
        "before=1\n"      // 0: belongs to no section
        "[item 1]\n"      // 1
        "a=1\n"           // 2
        "\t  [item 2]\n"  // 3: an indented header counts
        "[item 3]\n"      // 4: a header right after a header
        "b=2\n"           // 5
        "x[y]=3\n");      // 6: "[" inside a line opens nothing
    const struct {
        int From;
        int Start;
        int End;
    } cases[] = {{0, 1, 0}, {1, 1, 0}, {2, 3, 2}, {4, 4, 3}, {5, -1, 6}, {7, -1, 6}, {-3, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.From);
        EXPECT_EQ(lines.FindSectionStart(c.From), c.Start);
        EXPECT_EQ(lines.FindSectionEnd(c.From), c.End);
    }
}

TEST(ScriptLines, WalksTheSectionsInFileOrder) {
    const struct Walk {
        std::string Text;
        std::vector<std::vector<int>> Sections;  // header, body begin, body end
    } cases[] = {
        {"", {}},
        {"no=header\n// at all\n", {}},
        {"x=0\n[a 1]\ny=1\n[a 2]\n[a 3]\nz=3", {{1, 2, 3}, {3, 4, 4}, {4, 5, 6}}},
        {"[a 1]", {{0, 1, 1}}},
        {"[a 1]\n  [a 2]\nq=1\n\n", {{0, 1, 1}, {1, 2, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const ScriptLines lines(c.Text);
        std::vector<std::vector<int>> found;
        for (const ScriptSection& section : lines.Sections()) {
            found.push_back({section.Header, section.BodyBegin, section.BodyEnd});
        }
        EXPECT_EQ(found, c.Sections);
    }
}

TEST(ScriptSyntax, SectionIdIsTheTextAfterTheFirstBlankBeforeTheFirstBracket) {
    const struct {
        std::string_view Line;
        std::string_view Id;
    } cases[] = {
        {"[item 12]", "12"},     {"[item  12 ]", " 12 "},  // trimmed by the importers
        {"[item] 12", ""},       {"[item 12", "unknown"},
        {"[12]", "12"},          {"[]", ""},
        {"  [Quest 7]  ", "7"},  {"[loottemplate 42] // Copper Vein", "42"},
        {"[item 1 2]", "1 2"},   {"[item unknown]", "unknown"},
        {"item 12]", "unknown"}, {"", "unknown"},
        {"\t", "unknown"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SectionId(c.Line), c.Id) << c.Line;
    }
}

TEST(ScriptSyntax, KeyAndValueSplitTheTrimmedLineAtTheFirstEquals) {
    const struct {
        std::string_view Line;
        std::string_view Key;
        std::string_view Value;
    } cases[] = {
        {"Name=Sword // best", "Name", "Sword // best"},
        {"Name=", "Name", ""},
        {"=5", "", "5"},
        {"Name = Sword", "Name ", " Sword"},
        {"  Line=a=b \r", "Line", "a=b"},
        {"RewardItem=2589, 5", "RewardItem", "2589, 5"},
        {"// comment", "unknown", "unknown"},
        {"#include other.scp", "unknown", "unknown"},
        {"[item 1]", "unknown", "unknown"},
        {"", "unknown", "unknown"},
        {"unknown=1", "unknown", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(LineKey(c.Line), c.Key);
        EXPECT_EQ(LineValue(c.Line), c.Value);
    }
}

}  // namespace
}  // namespace kelvane

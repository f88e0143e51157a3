#include "exchange/PatchLineParser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvane {
namespace {

using Pairs = std::vector<std::pair<std::string_view, std::string_view>>;

struct ParseCase {
    std::string_view Line;
    std::string_view Key;
    Pairs Expected;  // column text and value of each pair
};

Pairs PairsOf(const ParsedPatchLine& parsed) {
    Pairs pairs;
    for (const PatchPairText& pair : parsed.Pairs) {
        pairs.emplace_back(pair.Column, pair.Value);
    }
    return pairs;
}

TEST(ParsePatchLine, SplitsKeyAndPairs) {
    const std::vector<ParseCase> cases = {
        {"12:2=3.5", "12", {{"2", "3.5"}}},
        {"12:1=0,2=\"Fire, Ball\",3=1.5", "12", {{"1", "0"}, {"2", "Fire, Ball"}, {"3", "1.5"}}},
        {"12:1=\"a,b\",2=5", "12", {{"1", "a,b"}, {"2", "5"}}},
        {"12:2=\"a,b\"", "12", {{"2", "a,b"}}},
        {"12:2=\"ab\"", "12", {{"2", "ab"}}},
        {"12:3=", "12", {{"3", ""}}},
        {"12:-1=7", "12", {{"-1", "7"}}},
        {"12:1=say \"hi\",2=x", "12", {{"1", "say \"hi\""}, {"2", "x"}}},
        {"12:1=x=y", "12", {{"1", "x=y"}}},
        {"12:1=a:b", "12", {{"1", "a:b"}}},
        {"a b:1=x", "a b", {{"1", "x"}}},
        {":1=x", "", {{"1", "x"}}},
        // What makes a line fail later: empty pairs, no "=", nothing after ":".
        {"12:1=5,,2=6", "12", {{"1", "5"}, {"", ""}, {"2", "6"}}},
        {"12:5", "12", {{"", "5"}}},
        {"12:", "12", {{"", ""}}},
        {"12:1=a,", "12", {{"1", "a"}, {"", ""}}},
        // A quoted value ends at the first double quote followed by a comma.
        {"12:1=\"x\",2=y\",3=z", "12", {{"1", "x"}, {"2", "y\""}, {"3", "z"}}},
        {"12:1=\"a\",2=\"b,c\"", "12", {{"1", "a"}, {"2", "b,c"}}},
        {"12:1=\",2=x", "12", {{"1", ""}, {"2", "x"}}},
        // Without a closing double quote and comma the rest of the line is the last pair.
        {"12:1=\"a,b", "12", {{"1", "a,b"}}},
        {"12:2=a=\"b,3=c", "12", {{"2", "b,3=c"}}},
        // The last pair loses one closing double quote.
        {"12:1=\"a\"", "12", {{"1", "a"}}},
        {"12:1=\"\"", "12", {{"1", ""}}},
        {"12:1=\"a\"\"", "12", {{"1", "a\""}}},
        {"12:1=a\"", "12", {{"1", "a\""}}},
    };
    ParsedPatchLine parsed;
    for (const ParseCase& c : cases) {
        ParsePatchLine(c.Line, parsed);
        EXPECT_EQ(parsed.Form, PatchLineForm::KeyAndPairs) << c.Line;
        EXPECT_EQ(parsed.Key, c.Key) << c.Line;
        EXPECT_EQ(PairsOf(parsed), c.Expected) << c.Line;
    }
}

// Which values came from between double quotes: after such a value a pair that fails was
// probably the rest of a text that held a double quote before a comma.
TEST(ParsePatchLine, MarksTheValuesTakenFromQuotes) {
    const std::vector<std::pair<std::string_view, std::vector<bool>>> cases = {
        {"12:1=a,2=b", {false, false}},
        {"12:1=\"a,b\",2=c", {true, false}},
        {"12:1=\"x\",2=y\",3=z", {true, false, false}},
        {"12:1=\"He said \"hi\", then\",2=5", {true, false, false}},
        {"12:1=a,2=\"b\"", {false, true}},
        {"12:1=say \"hi\"", {false}},
    };
    ParsedPatchLine parsed;
    for (const auto& [line, quoted] : cases) {
        ParsePatchLine(line, parsed);
        std::vector<bool> marks;
        for (const PatchPairText& pair : parsed.Pairs) {
            marks.push_back(pair.Quoted);
        }
        EXPECT_EQ(marks, quoted) << line;
    }
}

TEST(ParsePatchLine, CommentsBlanksAndLinesWithoutColon) {
    const std::vector<std::pair<std::string_view, PatchLineForm>> cases = {
        {"12:1=a//b", PatchLineForm::Skipped},
        {"12:1=a;b", PatchLineForm::Skipped},
        {"; a comment", PatchLineForm::Skipped},
        {"// a comment", PatchLineForm::Skipped},
        {"no colon; but a comment", PatchLineForm::Skipped},
        {"", PatchLineForm::Skipped},
        {"   ", PatchLineForm::Skipped},
        {" \t ", PatchLineForm::Skipped},
        {"xyz", PatchLineForm::NoColon},
        {"12=5", PatchLineForm::NoColon},
        {"12:1=a/b", PatchLineForm::KeyAndPairs},
        {" :", PatchLineForm::KeyAndPairs},
    };
    ParsedPatchLine parsed;
    for (const auto& [line, form] : cases) {
        ParsePatchLine(line, parsed);
        EXPECT_EQ(parsed.Form, form) << line;
    }
}

TEST(PatchColumnNumber, ReadsLikeAnIntegerCellButNotEmpty) {
    const std::vector<std::pair<std::string_view, std::optional<int32_t>>> cases = {
        {"", std::nullopt},
        {"0", 0},
        {"1", 1},
        {"-1", -1},
        {"233", 233},
        {" 3", 3},
        {"$A", 10},
        {"0x10", 16},
        {"3 ", std::nullopt},
        {"abc", std::nullopt},
        {"1.0", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(PatchColumnNumber(text), number) << "'" << text << "'";
    }
}

}  // namespace
}  // namespace kelvane

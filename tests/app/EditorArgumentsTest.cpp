#include "app/EditorArguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/definitions/ClientBuildText.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// The message of the failure the arguments give, or "" when they parse.
std::string FailureOf(const std::vector<std::string>& arguments) {
    try {
        ParseEditorArguments(arguments);
    } catch (const KelvaneError& error) {
        return error.what();
    }
    return {};
}

TEST(EditorArgumentsTest, TakesTheFlagsWhereverTheyStandAndKeepsTheRestInOrder) {
    TempDir dir;
    const EditorArguments parsed = ParseEditorArguments(
        {"Spell.dbc", "--build", " 3.3.5.12340 ", "--defs", dir.Path(), "--force"});
    EXPECT_EQ(parsed.Others, (std::vector<std::string>{"Spell.dbc", "--force"}));
    EXPECT_EQ(parsed.DbdFolder, std::filesystem::path(dir.Path()).lexically_normal().string());
    EXPECT_TRUE(parsed.BuildGiven);
    EXPECT_EQ(ClientBuildText(parsed.Build), "3.3.5.12340");

    const EditorArguments none = ParseEditorArguments({"/i", "Spell.dbc", "patch.txt"});
    EXPECT_FALSE(none.ChangesDefinitionSettings());
    EXPECT_EQ(none.Others.size(), 3u);
}

TEST(EditorArgumentsTest, AnEmptyBuildClearsTheRememberedOneAndAMissingFlagKeepsIt) {
    DefinitionSettings remembered{"/defs", ParseDbdBuild("1.12.1.5875")};

    const EditorArguments cleared = ParseEditorArguments({"--build", ""});
    EXPECT_TRUE(cleared.ChangesDefinitionSettings());
    const DefinitionSettings afterClear = cleared.Over(remembered);
    EXPECT_EQ(afterClear.DbdFolder, "/defs");
    EXPECT_FALSE(afterClear.Build.has_value());

    const DefinitionSettings untouched = ParseEditorArguments({"Spell.dbc"}).Over(remembered);
    EXPECT_EQ(untouched.DbdFolder, "/defs");
    EXPECT_EQ(untouched.Build, remembered.Build);
}

TEST(EditorArgumentsTest, ARelativeFolderIsRememberedAsAnAbsoluteOne) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("defs"));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const EditorArguments parsed = ParseEditorArguments({"--defs", "defs/"});
    std::filesystem::current_path(before);
    ASSERT_TRUE(parsed.DbdFolder.has_value());
    EXPECT_TRUE(std::filesystem::path(*parsed.DbdFolder).is_absolute()) << *parsed.DbdFolder;
    EXPECT_TRUE(std::filesystem::equivalent(*parsed.DbdFolder, dir.File("defs")));
}

TEST(EditorArgumentsTest, HelpAndVersionAreAskedWhereverTheyStandAndOtherArgumentsGoUnchecked) {
    struct Case {
        std::vector<std::string> Arguments;
        bool Help;
        bool Version;
    };
    const std::vector<Case> cases = {
        {{"--help"}, true, false},
        {{"-h"}, true, false},
        {{"Spell.dbc", "--help"}, true, false},
        {{"--version"}, false, true},
        {{"/i", "Spell.dbc", "patch.txt", "--version"}, false, true},
        // The flags that would fail are not looked at: the answer comes first.
        {{"--defs", "/no/such/folder", "-h"}, true, false},
        {{"--build", "3.3.5", "--version"}, false, true},
        {{"--help", "--version"}, true, true},
        {{"Spell.dbc", "-help", "--Version", "version"}, false, false},
    };
    for (const Case& c : cases) {
        const EditorArguments parsed = ParseEditorArguments(c.Arguments);
        EXPECT_EQ(parsed.HelpAsked, c.Help) << c.Arguments.front();
        EXPECT_EQ(parsed.VersionAsked, c.Version) << c.Arguments.front();
    }
}

struct FailureCase {
    std::vector<std::string> Arguments;
    std::string MessagePart;
};

TEST(EditorArgumentsTest, BadFlagsFailWithAMessageNamingTheFlagAndTheValue) {
    TempDir dir;
    dir.Write("Spell.dbd", "COLUMNS\n");
    const std::vector<FailureCase> cases = {
        {{"--build", "3.3.5"}, "--build: '3.3.5' is not a client build"},
        {{"--build", "3.3.5.12340.1"}, "'3.3.5.12340.1' is not a client build"},
        {{"--build", "v3.3.5.12340"}, "such as 3.3.5.12340"},
        {{"--build", "3.3\x1b[2J" + std::string(500, '5')},
         "--build: '3.3\\x1b[2J" + std::string(70, '5') + "...' is not a client build"},
        {{"Spell.dbc", "--build"}, "--build needs a value"},
        {{"--defs"}, "--defs needs a value"},
        {{"--defs", dir.File("missing")}, "is not a folder"},
        {{"--defs", dir.File("Spell.dbd")}, "is not a folder"},
        {{"--defs", ""}, "is not a folder"},
    };
    for (const FailureCase& c : cases) {
        const std::string message = FailureOf(c.Arguments);
        EXPECT_NE(message.find(c.MessagePart), std::string::npos)
            << c.Arguments.back() << ": " << message;
    }
}

TEST(EditorArgumentsTest, ClientBuildTextIsBlankTolerantAndTellsWhatABuildLooksLike) {
    EXPECT_FALSE(ReadClientBuildText("").has_value());
    EXPECT_FALSE(ReadClientBuildText("   ").has_value());
    EXPECT_FALSE(ReadClientBuildText("none").has_value());
    EXPECT_EQ(ClientBuildText(ReadClientBuildText("\t1.12.1.5875 ")), "1.12.1.5875");
    EXPECT_EQ(ClientBuildText(std::nullopt), "");
    try {
        ReadClientBuildText("3.3.5a");
        FAIL() << "a build with a letter was taken";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(),
                     "'3.3.5a' is not a client build: give four numbers separated by dots, such "
                     "as 3.3.5.12340 or 1.12.1.5875, or none.");
    }
}

}  // namespace
}  // namespace kelvane::testing

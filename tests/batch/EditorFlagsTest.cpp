#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/KelvaneVersion.h"
#include "core/definitions/DefinitionSettingsFile.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// The editor's --defs and --build, started as a child without a display and with a
// configuration folder of its own.
class EditorFlagsTest : public ::testing::Test {
  protected:
    TempDir dir;
    TempDir config;
    TempDir defs;

    CliResult RunEditor(const std::vector<std::string>& arguments) {
        std::vector<std::string> command = {"-u",
                                            "DISPLAY",
                                            "-u",
                                            "WAYLAND_DISPLAY",
                                            "-u",
                                            "QT_QPA_PLATFORM",
                                            "XDG_CONFIG_HOME=" + config.Path(),
                                            KELVANE_EDITOR_PATH};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return RunProgram("env", command, dir);
    }
};

TEST_F(EditorFlagsTest, ABadFlagIsToldOnStandardErrorWithStatusTwoAndNothingIsRemembered) {
    struct Case {
        std::vector<std::string> Arguments;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{"--build", "3.3.5"},
         "kelvane: --build: '3.3.5' is not a client build: give four numbers separated by dots, "
         "such as 3.3.5.12340 or 1.12.1.5875, or none.\n"},
        {{"--defs", dir.File("missing"), "Spell.dbc"},
         "kelvane: --defs: '" + dir.File("missing") +
             "' is not a folder; give the folder that holds the .dbd files.\n"},
        {{"Spell.dbc", "--defs"}, "kelvane: --defs needs a value: --defs DIR\n"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunEditor(c.Arguments);
        EXPECT_EQ(result.ExitCode, 2) << c.Message;
        EXPECT_EQ(result.Err, c.Message);
    }
    EXPECT_FALSE(std::filesystem::exists(config.File("Kelvane")));
}

TEST_F(EditorFlagsTest, ABatchRunRemembersTheFolderAndBuildItWasGiven) {
    dir.Write("Spell.dbc", DbcBytes()
                               .Header(1, 4, 16, 1)
                               .Int(1)
                               .Int(10)
                               .Int(0)
                               .Int(0)
                               .Raw(std::string(1, '\0'))
                               .Bytes());
    dir.Write("patch.txt", "1:1=2\n");
    const CliResult result = RunEditor({"--defs", defs.Path(), "--build", "1.12.1.5875", "/i",
                                        dir.File("Spell.dbc"), dir.File("patch.txt")});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;

    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    const DefinitionSettings remembered = LoadDefinitionSettings();
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(remembered.DbdFolder, defs.Path());
    ASSERT_TRUE(remembered.Build.has_value());
    EXPECT_EQ(remembered.Build->Text(), "1.12.1.5875");
}

// Without a display the editor would end with status 1 at once: these must be answered first.
TEST_F(EditorFlagsTest, HelpAndVersionArePrintedOnStandardOutputWithoutADisplay) {
    const CliResult help = RunEditor({"--help"});
    EXPECT_EQ(help.ExitCode, 0) << help.Err;
    EXPECT_EQ(help.Err, "");
    EXPECT_TRUE(help.Out.starts_with("usage: kelvane [TABLE.dbc] [--defs DIR] [--build B]\n"))
        << help.Out;
    EXPECT_NE(help.Out.find("/i TABLE.dbc PATCH.txt [--force]"), std::string::npos);

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-h"},
          {"Spell.dbc", "--help"},
          {"--defs", dir.File("missing"), "--build", "1.12.1.5875", "-h"}}) {
        const CliResult result = RunEditor(arguments);
        EXPECT_EQ(result.ExitCode, 0) << arguments.back();
        EXPECT_EQ(result.Out, help.Out) << arguments.back();
    }

    const CliResult version = RunEditor({"--version"});
    EXPECT_EQ(version.ExitCode, 0) << version.Err;
    EXPECT_EQ(version.Err, "");
    EXPECT_EQ(version.Out, "kelvane " + std::string(KelvaneVersion()) + "\n");
    // Asking opened nothing and remembered none of the flags beside the question.
    EXPECT_FALSE(std::filesystem::exists(config.File("Kelvane")));
}

}  // namespace
}  // namespace kelvane::testing

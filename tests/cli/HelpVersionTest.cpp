#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/KelvaneVersion.h"
#include "tests/support/CliRun.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::TempDir;

class HelpVersionTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    // The names listed under "Commands:", the first word of each indented line.
    static std::vector<std::string> ListedCommands(const std::string& help) {
        std::istringstream lines(help);
        std::string line;
        while (std::getline(lines, line) && line != "Commands:") {
        }
        std::vector<std::string> names;
        while (std::getline(lines, line) && line.starts_with("  ")) {
            std::istringstream words(line);
            names.emplace_back();
            words >> names.back();
        }
        return names;
    }

    TempDir dir_;
};

TEST_F(HelpVersionTest, HelpGoesToStandardOutputAndListsEveryCommandAndTheGlobalFlags) {
    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0) << help.Err;
    EXPECT_EQ(help.Err, "");
    EXPECT_TRUE(help.Out.starts_with("usage: kelvane-cli COMMAND")) << help.Out;
    EXPECT_EQ(
        ListedCommands(help.Out),
        (std::vector<std::string>{"info", "defs", "resave", "preset", "export-csv", "import-csv",
                                  "export-sql", "export-patch", "apply-patch", "import",
                                  "import-loot", "dat", "diff", "export-sqlite", "import-sqlite"}));
    for (const char* part : {"--defs DIR", "--build B", "COMMAND --help", "--version"}) {
        EXPECT_NE(help.Out.find(part), std::string::npos) << part;
    }

    // Global flags before it are passed over, neither checked nor remembered.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-h"},
                                                 {"--defs", dir_.File("missing"), "--help"},
                                                 {"--build", "1.12.1.5875", "-h", "info"}}) {
        const CliResult same = Run(args);
        EXPECT_EQ(same.ExitCode, 0) << args.back();
        EXPECT_EQ(same.Out, help.Out) << args.back();
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("config")));
}

TEST_F(HelpVersionTest, VersionIsTheProjectVersion) {
    const CliResult result = Run({"--version"});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "kelvane-cli " + std::string(KelvaneVersion()) + "\n");
    EXPECT_EQ(result.Err, "");
}

// A command's help needs none of its arguments and runs nothing: the files named beside it
// are neither read nor written.
TEST_F(HelpVersionTest, EveryCommandAnswersHelpWithItsUsageAndRunsNothing) {
    const std::vector<std::string> commands = ListedCommands(Run({"--help"}).Out);
    ASSERT_FALSE(commands.empty());
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const CliResult help = Run({command, "--help"});
        EXPECT_EQ(help.ExitCode, 0) << help.Err;
        EXPECT_EQ(help.Err, "");
        EXPECT_TRUE(help.Out.starts_with("usage: kelvane-cli " + command + " ")) << help.Out;
        EXPECT_NE(help.Out.find("--defs DIR"), std::string::npos) << help.Out;

        const CliResult wrongUsage = Run({command});
        EXPECT_EQ(wrongUsage.ExitCode, 2);
        const std::string usageLine = help.Out.substr(0, help.Out.find('\n') + 1);
        EXPECT_NE(wrongUsage.Err.find(usageLine), std::string::npos) << wrongUsage.Err;

        const CliResult amid =
            Run({command, dir_.File("In.dbc"), "-h", dir_.File("Out.dbc"), "--force"});
        EXPECT_EQ(amid.ExitCode, 0) << amid.Err;
        EXPECT_EQ(amid.Out, help.Out);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Out.dbc")));
}

TEST_F(HelpVersionTest, WrongCommandLinesStayUsageErrorsOnStandardError) {
    struct Case {
        std::vector<std::string> Args;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{}, "usage: kelvane-cli COMMAND"},
        {{"--halp"}, "kelvane-cli: unknown command '--halp'"},
        {{"bogus", "--help"}, "kelvane-cli: unknown command 'bogus'"},
        {{"info", "--build"}, "--build needs a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliResult result = Run(c.Args);
        EXPECT_EQ(result.ExitCode, 2) << result.Err;
        EXPECT_EQ(result.Out, "");
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
    }
}

}  // namespace
}  // namespace kelvane

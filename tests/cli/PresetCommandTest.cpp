#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/definitions/Presets.h"
#include "tests/support/CliRun.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::TempDir;

CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    return testing::RunProgram(KELVANE_CLI_PATH, args, dir);
}

TEST(PresetCommand, WritesThePresetAndPrintsItsPath) {
    TempDir dir;
    dir.Write("Spell.ini", "old");
    const CliResult result = RunCli(dir, {"preset", "Spell.dbc", dir.Path()});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, dir.File("Spell.ini") + "\n");
    EXPECT_EQ(dir.Read("Spell.ini"), FindPreset("Spell.dbc")->Text);
}

TEST(PresetCommand, WrongArgumentsListTheItems) {
    TempDir dir;
    const std::vector<std::vector<std::string>> cases = {
        {"preset"},
        {"preset", "Spell.dbc"},
        {"preset", "Spell.dbc", dir.Path(), "extra"},
        {"preset", "Item.dbc", dir.Path()},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : "no arguments");
        const CliResult result = RunCli(dir, args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_NE(result.Err.find("Spell.dbc"), std::string::npos) << result.Err;
        EXPECT_NE(result.Err.find("AreaTrigger.dbc"), std::string::npos) << result.Err;
        EXPECT_TRUE(result.Out.empty());
    }
    EXPECT_NE(RunCli(dir, {"preset", "Item.dbc", dir.Path()}).Err.find("Item.dbc"),
              std::string::npos);
}

TEST(PresetCommand, MissingFolderFailsNamingTheFile) {
    TempDir dir;
    const CliResult result = RunCli(dir, {"preset", "Faction.dbc", dir.File("missing")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Cannot create file \"" + dir.File("missing/Faction.ini") + "\""),
              std::string::npos)
        << result.Err;
}

}  // namespace
}  // namespace kelvane

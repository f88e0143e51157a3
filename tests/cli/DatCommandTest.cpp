#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

class DatCommandTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) {
        return RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    // Creatures.dbc with (448, "Rat") and (25, "Big Rat"), its name column called nameColumn.
    std::string PutCreatures(const std::string& nameColumn) {
        DbcBytes file;
        file.Header(2, 2, 8, 13).Int(448).Int(1).Int(25).Int(5);
        file.Raw(std::string("\0Rat\0Big Rat\0", 13));
        dir_.Write("Creatures.dbc", file.Bytes());
        WriteFieldDefs(dir_.File("Creatures.dbc"), {{"id"}, {nameColumn, FieldKind::ftString}});
        return dir_.File("Creatures.dbc");
    }

    TempDir dir_;
};

TEST_F(DatCommandTest, WritesTheLinesOfTheKindsNameColumn) {
    const std::string table = PutCreatures("Name");
    const CliResult result = Run({"dat", "creatures", table, dir_.File("Creature.dat")});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("Creature.dat"), "448,Rat\r\n25,\"Big Rat\"\r\n,\r\n");
    EXPECT_EQ(result.Out,
              "Wrote \"" + dir_.File("Creature.dat") + "\": 2 records and the closing line.\n");
}

TEST_F(DatCommandTest, TextsOfColumnsItDoesNotReadAreNoMisfit) {
    DbcBytes file;
    file.Header(1, 3, 12, 11).Int(448).Int(1).Int(5);
    file.Raw(std::string("\0Rat\0Pest\0", 11));
    dir_.Write("Creatures.dbc", file.Bytes());
    WriteFieldDefs(dir_.File("Creatures.dbc"),
                   {{"id"}, {"Name", FieldKind::ftString}, {"SubName", FieldKind::ftString}});

    const CliResult result =
        Run({"dat", "creatures", dir_.File("Creatures.dbc"), dir_.File("Creature.dat")});

    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
}

TEST_F(DatCommandTest, AMissingColumnFailsAndWritesNothing) {
    const std::string table = PutCreatures("name");
    const CliResult result = Run({"dat", "items", table, dir_.File("Item.dat")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Field 'name{inv}' not found"), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Item.dat")));
}

TEST_F(DatCommandTest, AnUnknownKindIsAUsageError) {
    const std::string table = PutCreatures("name");
    const CliResult result = Run({"dat", "Creatures", table, dir_.File("Creature.dat")});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("unknown .dat kind 'Creatures'; use creatures, items or go"),
              std::string::npos)
        << result.Err;
}

}  // namespace
}  // namespace kelvane::testing

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

class ExportSqlCommandTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    std::string PutSpells() {
        dir_.Write("Spell.dbc", SpellSample().Bytes());
        WriteFieldDefs(dir_.File("Spell.dbc"), SpellSampleFields());
        return dir_.File("Spell.dbc");
    }

    TempDir dir_;
};

TEST_F(ExportSqlCommandTest, WritesTheDumpOfTheTable) {
    const std::string out = dir_.File("out.sql");
    const CliResult result = Run({"export-sql", PutSpells(), out});

    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "Wrote \"" + out + "\": table Spell, 3 records in 1 INSERT statement.\n");
    const std::string dump = dir_.Read("out.sql");
    EXPECT_NE(dump.find("CREATE TABLE `Spell` (\n"
                        "  `ID` INT NOT NULL,\n"
                        "  `Name` TEXT,\n"
                        "  `Speed` DOUBLE,\n"
                        "  `Rank` INT,\n"
                        "  PRIMARY KEY (`ID`)\n"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("INSERT INTO `Spell` VALUES\n"
                        "(16,'Fireball',1.5,-1),\n"
                        "(255,'Frost Nova',0.100000001490116,7),\n"
                        "(0,'',-2.25,0);\n"),
              std::string::npos)
        << dump;
}

TEST_F(ExportSqlCommandTest, WrongArgumentsAndRefusedNamesWriteNothing) {
    const std::string table = PutSpells();
    dir_.Write("out.sql", "kept");
    const std::string out = dir_.File("out.sql");

    CliResult result = Run({"export-sql", table, out, "extra"});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("export-sql takes the DBC file and the file to write"),
              std::string::npos);

    // Tables whose names the dump refuses: one MySQL would not take, one that would put a
    // command and a statement on lines of their own.
    const struct {
        std::string TableName;
        std::string Problem;
    } refused[] = {
        {"Spell ", "the table name `Spell `, taken from the table's file name, ends in a blank."},
        {"X\n\\! touch PWNED\nDROP TABLE victim;#",
         "the table name `X\\n\\! touch PWNED\\nDROP TABLE victim;#`, taken from the table's "
         "file name, holds a control character (a line break, a tab or the like)."},
    };
    for (const auto& c : refused) {
        std::filesystem::copy_file(table, dir_.File(c.TableName + ".dbc"));
        std::filesystem::copy_file(dir_.File("Spell.ini"), dir_.File(c.TableName + ".ini"));
        result = Run({"export-sql", dir_.File(c.TableName + ".dbc"), out});
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err, "Cannot write the MySQL dump \"" + out + "\": " + c.Problem + "\n");
        EXPECT_EQ(dir_.Read("out.sql"), "kept");
    }
}

}  // namespace
}  // namespace kelvane

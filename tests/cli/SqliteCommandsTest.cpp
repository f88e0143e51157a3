#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/CrlfText.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::CrlfText;
using testing::DbcBytes;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

class SqliteCommandsTest : public ::testing::Test {
  protected:
    SqliteCommandsTest() { ::setenv("LC_ALL", "C", 1); }

    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }
    std::string PutTable(const std::string& name, const DbcBytes& bytes) {
        dir_.Write(name, bytes.Bytes());
        const std::string path = dir_.File(name);
        WriteFieldDefs(path, SpellSampleFields());
        return path;
    }

    TempDir dir_;
};

TEST_F(SqliteCommandsTest, ATableGoesOutAndComesBackIntoAnEmptyOneOrUnchangedIntoItself) {
    const std::string spells = PutTable("Spell.dbc", SpellSample());
    const std::string database = dir_.File("spells.db");

    CliResult result = Run({"export-sqlite", spells, database});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "Wrote 3 records to table \"Spell\" of \"" + database + "\".\n");

    result = Run({"import-sqlite", spells, database, dir_.File("Same.dbc")});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out,
              "Read 3 rows of table \"Spell\": changed 0, added 0, unchanged 3 "
              "records; wrote \"" +
                  dir_.File("Same.dbc") + "\": 3 records.\n");
    EXPECT_EQ(dir_.Read("Same.dbc"), dir_.Read("Spell.dbc"));

    // An empty Spell table elsewhere takes every record, in the database's key order.
    TempDir other;
    other.Write("Spell.dbc", DbcBytes().Header(0, 4, 16, 1).Raw(std::string(1, '\0')).Bytes());
    WriteFieldDefs(other.File("Spell.dbc"), SpellSampleFields());
    result = Run({"import-sqlite", other.File("Spell.dbc"), database});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    result = Run({"export-csv", other.File("Spell.dbc"), dir_.File("out.csv")});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir_.Read("out.csv"), CrlfText({"0,,-2.25,0", "16,Fireball,1.5,-1",
                                              "255,\"Frost Nova\",0.100000001490116,7"}));
}

TEST_F(SqliteCommandsTest, FailuresAreNamedAndWrongArgumentsShowTheUsage) {
    const std::string spells = PutTable("Spell.dbc", SpellSample());
    const std::string before = dir_.Read("Spell.dbc");
    dir_.Write("notes.db", "ID,Name\n");

    CliResult result = Run({"import-sqlite", spells, dir_.File("notes.db")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Err, "\"" + dir_.File("notes.db") + "\" is not a SQLite database\n");
    EXPECT_EQ(dir_.Read("Spell.dbc"), before);

    result = Run({"export-sqlite", spells, dir_.File("notes.db")});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(dir_.Read("notes.db"), "ID,Name\n");

    result = Run({"export-sqlite", spells});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("usage: kelvane-cli export-sqlite TABLE.dbc OUT.db"),
              std::string::npos);
    result = Run({"import-sqlite", spells});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(
        result.Err.find(
            "usage: kelvane-cli import-sqlite TABLE.dbc IN.db [OUT.dbc] [--by-position] [--force]"),
        std::string::npos);
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/table/Field.h"
#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/KnownKindsTable.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::DbcBytes;
using testing::KnownKindsTable;
using testing::TempDir;

// A made-up pet table in two layouts: build 1.12.1 has a key, a text in eight locales with its
// flags, a float and a byte-wide flag (12 fields, 45 bytes); build 3.3.5 drops the float.
const char* const PetDbd = R"(COLUMNS
int ID
locstring Name_lang // what the pet is called
float Size
int<Creature::ID> CreatureID

BUILD 1.12.1.5875
$id$ID<32>
Name_lang
Size
CreatureID<u8>

BUILD 3.3.5.12340
$id$ID<32>
Name_lang
CreatureID<32>
)";

std::string PetFile() {
    constexpr char strings[] = "\0Cat\0Owl\0";
    DbcBytes file;
    file.Header(2, 12, 45, sizeof(strings) - 1);
    for (const int id : {1, 2}) {
        file.Int(id).Int(id == 1 ? 1 : 5);
        for (int locale = 1; locale < 8; ++locale) {
            file.Int(0);
        }
        file.Int(0xFF).Float(0.75f).Byte(9);
    }
    file.Raw(std::string_view(strings, sizeof(strings) - 1));
    return file.Bytes();
}

class DefsCommandTest : public ::testing::Test {
  protected:
    DefsCommandTest() {
        tables_.Write("Pet.dbc", PetFile());
        definitions_.Write("Pet.dbd", PetDbd);
    }

    // Every run shares one configuration folder of the test's own, never the user's.
    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, config_);
    }
    std::string Table() const { return tables_.File("Pet.dbc"); }

    static void ExpectHas(const std::string& text, const std::vector<std::string>& parts) {
        for (const std::string& part : parts) {
            EXPECT_NE(text.find(part), std::string::npos) << part << " in:\n" << text;
        }
    }

    TempDir config_;
    TempDir tables_;
    TempDir definitions_;
};

TEST_F(DefsCommandTest, PrintsTheLayoutThatFits) {
    const CliResult result = Run({"defs", Table(), "--defs", definitions_.Path()});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    ExpectHas(result.Out,
              {definitions_.File("Pet.dbd"), "Build:         1.12.1.5875",
               "     0  ID                              ftInteger  32  key\n",
               "     1  Name_lang_enUS                  ftString   32  // what the pet is called\n",
               "     9  Name_lang_flags", "    10  Size                            ftFloat    32\n",
               "    11  CreatureID                      ftInteger   8  -> Creature::ID\n"});
    EXPECT_FALSE(std::filesystem::exists(tables_.File("Pet.ini")));
}

TEST_F(DefsCommandTest, FlagsAreRememberedForLaterRunsAndInfoTellsTheDefinitions) {
    ASSERT_EQ(
        Run({"defs", Table(), "--defs", definitions_.Path(), "--build", "1.12.1.5875"}).ExitCode,
        0);
    const CliResult info = Run({"info", Table()});
    EXPECT_EQ(info.ExitCode, 0) << info.Err;
    ExpectHas(info.Out,
              {"Definitions:   Pet.dbd, build 1.12.1.5875\n", "Layout:        ", "Name_lang_enUS"});
    ExpectHas(config_.Read("config/Kelvane/Definitions.ini"), {definitions_.Path(), "1.12.1.5875"});

    // A build given now replaces the remembered one; the folder stays.
    const CliResult other = Run({"--build", "3.3.5.12340", "info", Table()});
    EXPECT_EQ(other.ExitCode, 0) << other.Err;
    ExpectHas(other.Out, {"Definitions:   Pet.dbd, build 1.12.1.5875\n"});
    ExpectHas(config_.Read("config/Kelvane/Definitions.ini"), {"3.3.5.12340"});

    // "none" forgets it, and the layout is then chosen by the file alone.
    for (const char* none : {"none", ""}) {
        const CliResult forgotten = Run({"--build", none, "info", Table()});
        EXPECT_EQ(forgotten.ExitCode, 0) << forgotten.Err;
        ExpectHas(forgotten.Out,
                  {"Definitions:   Pet.dbd, build 1.12.1.5875, chosen without a build\n"});
        EXPECT_EQ(config_.Read("config/Kelvane/Definitions.ini").find("3.3.5.12340"),
                  std::string::npos);
    }
}

TEST_F(DefsCommandTest, WritesTheLayoutAsTableIniButNeverOverTheUsersFile) {
    const CliResult written = Run({"defs", Table(), "--defs", definitions_.Path(), "--write"});
    EXPECT_EQ(written.ExitCode, 0) << written.Err;
    ExpectHas(written.Out, {"Wrote " + tables_.File("Pet.ini")});
    const CliResult info = Run({"info", Table()});
    ExpectHas(info.Out, {"Definitions:   Pet.ini\n", "Name_lang_enUS                  ftString"});

    tables_.Write("Pet.ini", "[Field name]\nField 0=Mine\n");
    const CliResult refused = Run({"defs", Table(), "--write"});
    EXPECT_EQ(refused.ExitCode, 1);
    ExpectHas(refused.Err, {tables_.File("Pet.ini"), "--force"});
    EXPECT_EQ(tables_.Read("Pet.ini"), "[Field name]\nField 0=Mine\n");

    EXPECT_EQ(Run({"defs", Table(), "--write", "--force"}).ExitCode, 0);
    ExpectHas(tables_.Read("Pet.ini"), {"Name_lang_enUS"});
}

TEST_F(DefsCommandTest, AnotherFittingLayoutIsUsedAndSaidSo) {
    const CliResult result =
        Run({"defs", Table(), "--defs", definitions_.Path(), "--build", "3.3.5.12340"});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    ExpectHas(result.Out, {"Build:         1.12.1.5875\n", "3.3.5.12340"});
}

TEST_F(DefsCommandTest, NoFittingLayoutOrNoDbdFailsWithTheReason) {
    definitions_.Write("Pet.dbd", "COLUMNS\nint ID\n\nBUILD 1.12.1.5875\nID\n");
    const CliResult noFit = Run({"defs", Table(), "--defs", definitions_.Path()});
    EXPECT_EQ(noFit.ExitCode, 1);
    ExpectHas(noFit.Err, {"Pet.dbc", "12 fields", "45 bytes"});
    EXPECT_EQ(noFit.Out, "");
    // The table still opens, as integers, and info says why.
    const CliResult info = Run({"info", Table()});
    EXPECT_EQ(info.ExitCode, 0) << info.Err;
    ExpectHas(info.Out, {"Definitions:   No definitions", "Layout:        ", "12 fields",
                         "     1  1                               ftInteger"});

    tables_.Write("Mount.dbc", PetFile());
    const CliResult missing = Run({"defs", tables_.File("Mount.dbc")});
    EXPECT_EQ(missing.ExitCode, 1);
    ExpectHas(missing.Err, {definitions_.Path(), "Mount.dbd"});
}

TEST_F(DefsCommandTest, NamesAlikeInTheirFirst30CharactersStayApartEverywhere) {
    // As in a real alpha table: ten masks whose names differ only after 29 characters.
    definitions_.Write("Proficiency.dbd", R"(COLUMNS
int ID
int Proficiency_itemSubClassMask

BUILD 0.5.3.3368
$id$ID<32>
Proficiency_itemSubClassMask<32>[10]
)");
    DbcBytes file;
    file.Header(1, 11, 44, 1).Int(7);
    for (int mask = 1; mask <= 10; ++mask) {
        file.Int(mask);
    }
    tables_.Write("Proficiency.dbc", file.Raw(std::string(1, '\0')).Bytes());
    const std::string table = tables_.File("Proficiency.dbc");
    const std::string csv = tables_.File("Proficiency.csv");

    ASSERT_EQ(Run({"defs", table, "--defs", definitions_.Path(), "--write"}).ExitCode, 0);
    std::filesystem::remove_all(definitions_.Path());  // only the written Proficiency.ini is left
    const CliResult exported = Run({"export-csv", table, csv, "--header"});

    EXPECT_EQ(exported.ExitCode, 0) << exported.Err;
    EXPECT_EQ(exported.Err, "");
    EXPECT_EQ(tables_.Read("Proficiency.csv").substr(0, 82),
              "ID,Proficiency_itemSubClassMask_1,Proficiency_itemSubClassMask_2,"
              "Proficiency_itemS");
    ExpectHas(tables_.Read("Proficiency.csv"),
              {",Proficiency_itemSubClassMask_9,Proficiency_itemSubClassMask_10\r\n7,1,"});
}

TEST_F(DefsCommandTest, GuessPrintsAndWritesTheGuessedKinds) {
    KnownKindsTable item(3);
    item.Integers({1, 2, 3}).Texts({"Sword", "Shield", "Axe"}).Floats({1.5f, 0, 2});
    tables_.Write("Item.dbc", item.FileBytes());
    const CliResult guess = Run({"defs", tables_.File("Item.dbc"), "--guess", "--write"});
    EXPECT_EQ(guess.ExitCode, 0) << guess.Err;
    ExpectHas(guess.Out, {"3 fields from the data: 1 text, 1 float, 1 integer.",
                          "     1  1                               ftString   32\n",
                          "     2  2                               ftFloat    32\n"});
    ExpectHas(Run({"info", tables_.File("Item.dbc")}).Out,
              {"Definitions:   Item.ini\n", "ftString"});
}

TEST_F(DefsCommandTest, BadFlagsAreUsageErrorsNamingThem) {
    const CliResult build = Run({"info", Table(), "--build", "3.3.5"});
    EXPECT_EQ(build.ExitCode, 2);
    ExpectHas(build.Err, {"'3.3.5'", "usage:"});
    const CliResult noValue = Run({"info", Table(), "--defs"});
    EXPECT_EQ(noValue.ExitCode, 2);
    ExpectHas(noValue.Err, {"--defs"});
    const CliResult noFolder = Run({"info", Table(), "--defs", tables_.File("nowhere")});
    EXPECT_EQ(noFolder.ExitCode, 1);
    ExpectHas(noFolder.Err, {tables_.File("nowhere")});
    EXPECT_FALSE(std::filesystem::exists(config_.File("config/Kelvane/Definitions.ini")));
}

}  // namespace
}  // namespace kelvane

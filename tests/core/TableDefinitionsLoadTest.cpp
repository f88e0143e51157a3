#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/definitions/Presets.h"
#include "core/definitions/TableDefinitions.h"
#include "core/table/Field.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::DbcBytes;
using testing::TempDir;

// A mount table of build 1.12.1: the key, a text in eight locales and its flags, a spell
// reference, a float and two byte-wide flags: 14 fields, 50 bytes a record.
const char* const MountDbd = R"(COLUMNS
int ID
locstring Name_lang // shown in the mount list
int<Spell::ID> SpellID
float Speed
int Flags

BUILD 3.3.5.12340
$id$ID<32>
Name_lang
SpellID<32>

BUILD 1.12.1.5875
$id$ID<32>
Name_lang
SpellID<32>
Speed
Flags<u8>[2]
)";

constexpr char kStrings[] = "\0Swift horse\0Pale ram\0";

std::string MountRecord(int32_t id, int32_t nameOffset, float speed, uint8_t flag) {
    DbcBytes record;
    record.Int(id).Int(nameOffset);
    for (int locale = 1; locale < 8; ++locale) {
        record.Int(0);
    }
    record.Int(0x00FF).Int(458).Float(speed).Byte(flag).Byte(0);
    return record.Bytes();
}

std::string MountFile() {
    DbcBytes file;
    file.Header(2, 14, 50, sizeof(kStrings) - 1)
        .Raw(MountRecord(1, 1, 1.6F, 3))
        .Raw(MountRecord(2, 13, 2.0F, 0))
        .Raw(std::string_view(kStrings, sizeof(kStrings) - 1));
    return file.Bytes();
}

class TableDefinitionsLoadTest : public ::testing::Test {
  protected:
    TableDefinitionsLoadTest() {
        tables_.Write("Mount.dbc", MountFile());
        work_->Settings.DbdFolder = definitions_.Path();
    }

    LoadReport Open() { return OpenDbcTable(*work_, tables_.File("Mount.dbc")); }
    const RecordTable& Table() const { return work_->Table; }
    const TableDefinitions& Used() const { return work_->Definitions; }

    TempDir tables_;
    TempDir definitions_;
    std::unique_ptr<Workspace> work_ = std::make_unique<Workspace>();
};

TEST_F(TableDefinitionsLoadTest, FittingLayoutGivesNamesKindsWidthsAndHelp) {
    definitions_.Write("Mount.dbd", MountDbd);
    const LoadReport report = Open();

    EXPECT_EQ(report.Warning("Mount.dbc"), "");
    ASSERT_EQ(Table().FieldCount(), 15);
    EXPECT_EQ(Table().ColumnName(1), "ID");
    EXPECT_EQ(Table().ColumnName(2), "Name_lang_enUS");
    EXPECT_EQ(Table().ColumnName(10), "Name_lang_flags");
    EXPECT_EQ(Table().ColumnName(14), "Flags_2");
    EXPECT_EQ(Table().ColumnKind(2), FieldKind::ftString);
    EXPECT_EQ(Table().ColumnKind(12), FieldKind::ftFloat);
    EXPECT_EQ(Table().StringAt(1, 2), "Pale ram");
    EXPECT_FLOAT_EQ(static_cast<float>(Table().ColumnStoreAt(12).Floats[0]), 1.6F);
    EXPECT_EQ(Table().ColumnStoreAt(13).Integers[0], 3);  // a byte cell, read on its own
    EXPECT_EQ(work_->FileLayout.CellBytes(12), 1);
    EXPECT_EQ(work_->Defs[12].Bits, 8);

    EXPECT_EQ(Used().Source, DefinitionsSource::Dbd);
    EXPECT_EQ(DefinitionsSummary(Used()), "Mount.dbd, build 1.12.1.5875, chosen without a build");
    ASSERT_EQ(Used().Help.size(), 14U);
    EXPECT_TRUE(Used().Help[0].IsKey);
    EXPECT_EQ(Used().Help[1].Comment, "shown in the mount list");
    EXPECT_EQ(Used().Help[10].ForeignKey, "Spell::ID");
}

TEST_F(TableDefinitionsLoadTest, ChosenBuildAndFileNameInAnyCase) {
    definitions_.Write("MOUNT.DBD", MountDbd);
    work_->Settings.Build = ParseDbdBuild("1.12.1.5875");
    Open();
    EXPECT_EQ(Used().File, "MOUNT.DBD");
    EXPECT_EQ(Used().Build, ParseDbdBuild("1.12.1.5875"));
    EXPECT_NE(Used().Message.find("line 13"), std::string::npos) << Used().Message;
    EXPECT_EQ(DefinitionsSummary(Used()), "MOUNT.DBD, build 1.12.1.5875");
}

TEST_F(TableDefinitionsLoadTest, ALayoutOfTheRightSizeWhoseTextsLandElsewhereIsPassedOver) {
    // A newer layout of the same size that reads the spell where the name is: without a build
    // it is tried first, and its string cells point at no text.
    std::string dbd = MountDbd;
    dbd += R"(
BUILD 1.13.0.1
$id$ID<32>
SpellID<32>
Name_lang
Speed
Flags<u8>[2]
)";
    for (const char* build : {"", "1.13.0.1"}) {
        SCOPED_TRACE(build);
        definitions_.Write("Mount.dbd", dbd);
        work_->Settings.Build = ParseDbdBuild(build);

        const LoadReport report = Open();

        EXPECT_EQ(report.Warning("Mount.dbc"), "");
        EXPECT_EQ(Used().Build, ParseDbdBuild("1.12.1.5875"));
        EXPECT_EQ(Table().StringAt(1, 2), "Pale ram");
        for (const char* part : {"passed over", "1.13.0.1", "does not fit its texts",
                                 "of the string column", "in no string column"}) {
            EXPECT_NE(Used().Message.find(part), std::string::npos)
                << part << " in " << Used().Message;
        }
    }
}

TEST_F(TableDefinitionsLoadTest, WhenNoLayoutFitsTheTextsTheTableLoadsAsIntegersAndSaysWhy) {
    std::string dbd = MountDbd;
    dbd.replace(dbd.find("$id$ID<32>\nName_lang\nSpellID<32>\nSpeed"),
                std::string("$id$ID<32>\nName_lang\nSpellID<32>\nSpeed").size(),
                "$id$ID<32>\nSpellID<32>\nName_lang\nSpeed");
    definitions_.Write("Mount.dbd", dbd);
    work_->Settings.Build = ParseDbdBuild("1.12.1.5875");

    const LoadReport report = Open();

    EXPECT_EQ(Used().Source, DefinitionsSource::None);
    EXPECT_EQ(Table().ColumnKind(2), FieldKind::ftInteger);
    const std::string warning = report.Warning("Mount.dbc");
    for (const char* part : {"no layout in \"Mount.dbd\" fits the file's texts", "1.12.1.5875",
                             "loads as integers", "2 texts of the file are in no string column"}) {
        EXPECT_NE(warning.find(part), std::string::npos) << part << " in " << warning;
    }
}

TEST_F(TableDefinitionsLoadTest, LayoutThatDoesNotFitIsNeverApplied) {
    std::string dbd = MountDbd;
    dbd.replace(dbd.find("Flags<u8>[2]"), 12, "Flags<u8>[3]");
    definitions_.Write("Mount.dbd", dbd);
    work_->Settings.Build = ParseDbdBuild("1.12.1.5875");
    const LoadReport report = Open();

    const std::string warning = report.Warning("Mount.dbc");
    for (const char* part : {"Mount.dbc", "1.12.1.5875", "15 fields", "14 fields", "51 bytes",
                             "50 bytes", "integers"}) {
        EXPECT_NE(warning.find(part), std::string::npos) << part << " in: " << warning;
    }
    EXPECT_EQ(Used().Source, DefinitionsSource::None);
    EXPECT_EQ(Table().ColumnName(2), "1");
    EXPECT_EQ(Table().ColumnKind(2), FieldKind::ftInteger);
}

TEST_F(TableDefinitionsLoadTest, MalformedDefinitionsNameFileAndLineAndTheTableStillOpens) {
    definitions_.Write("Mount.dbd", "COLUMNS\nint ID\nwhatever Name\n");
    const LoadReport report = Open();
    const std::string warning = report.Warning("Mount.dbc");
    EXPECT_NE(warning.find("Mount.dbd"), std::string::npos) << warning;
    EXPECT_NE(warning.find("line 3"), std::string::npos) << warning;
    EXPECT_EQ(Table().FieldCount(), 15);
    EXPECT_EQ(Used().Source, DefinitionsSource::None);
}

TEST_F(TableDefinitionsLoadTest, TableIniBesideTheFileWins) {
    definitions_.Write("Mount.dbd", MountDbd);
    tables_.Write("Mount.ini", "[Field name]\r\nField 0=MountId\r\n");
    Open();
    EXPECT_EQ(Table().ColumnName(1), "MountId");
    EXPECT_EQ(Table().ColumnName(2), "1");
    EXPECT_EQ(Used().Source, DefinitionsSource::TableIni);
    EXPECT_EQ(DefinitionsSummary(Used()), "Mount.ini");
}

TEST_F(TableDefinitionsLoadTest, NoFolderOrNoFileMeansNoDefinitions) {
    Open();
    EXPECT_EQ(Used().Source, DefinitionsSource::None);
    // The guess is counted for the status bar but never applied.
    EXPECT_EQ(DefinitionsSummary(Used()), "No definitions; 1 column looks like text");
    EXPECT_EQ(Table().ColumnKind(2), FieldKind::ftInteger);
    work_->Settings.DbdFolder = definitions_.File("missing");
    Open();
    EXPECT_EQ(Used().Source, DefinitionsSource::None);
    EXPECT_EQ(Table().ColumnName(1), "0");
}

TEST(TableDefinitionsPresetTest, IniWrittenFromAPresetIsToldApart) {
    TempDir dir;
    const Preset& preset = *FindPreset("Faction.dbc");
    WritePreset(preset, dir.Path());
    // A file of the preset's field count, all zeros.
    DbcBytes file;
    file.Header(1, preset.FieldCount, 4 * preset.FieldCount, 1);
    for (int field = 0; field < preset.FieldCount; ++field) {
        file.Int(0);
    }
    file.Raw(std::string_view("\0", 1));
    dir.Write("Faction.dbc", file.Bytes());
    auto work = std::make_unique<Workspace>();
    OpenDbcTable(*work, dir.File("Faction.dbc"));
    EXPECT_EQ(DefinitionsSummary(work->Definitions), "Faction.ini (preset)");
}

TEST(DefinitionsSummaryTest, SaysWhereTheColumnsCameFrom) {
    TableDefinitions none;
    EXPECT_EQ(DefinitionsSummary(none), "No definitions");
    none.TextLikeColumns = 1;
    EXPECT_EQ(DefinitionsSummary(none), "No definitions; 1 column looks like text");
    none.TextLikeColumns = 3;
    EXPECT_EQ(DefinitionsSummary(none), "No definitions; 3 columns look like texts");
    TableDefinitions dbd;
    dbd.Source = DefinitionsSource::Dbd;
    dbd.File = "Spell.dbd";
    EXPECT_EQ(DefinitionsSummary(dbd), "Spell.dbd");
}

}  // namespace
}  // namespace kelvane

#include "core/definitions/Presets.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/definitions/FieldDefFile.h"
#include "core/table/FieldDef.h"
#include "tests/support/CrlfText.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CrlfText;
using testing::TempDir;

const Preset& PresetOf(std::string_view item) {
    const Preset* preset = FindPreset(item);
    if (preset == nullptr) {
        throw std::runtime_error("no preset " + std::string(item));
    }
    return *preset;
}

// The definitions a table gets from the preset once it is written and read back.
std::unique_ptr<FieldDefList> ReadBack(const Preset& preset, int* count = nullptr) {
    TempDir dir;
    auto defs = std::make_unique<FieldDefList>();
    const int imported = ImportFieldDefFile(WritePreset(preset, dir.Path()), *defs);
    if (count != nullptr) {
        *count = imported;
    }
    return defs;
}

TEST(PresetTable, TenPresetsInTheOrderOffered) {
    struct Row {
        const char* Item;
        const char* FileName;
        int FieldCount;
    };
    const std::vector<Row> expected = {
        {"Spell.dbc", "Spell.ini", 167},
        {"WorldMapArea.dbc", "WorldMapArea.ini", 8},
        {"WorldSafeLocs.dbc", "WorldSafeLocs.ini", 14},
        {"WorldMapContinent.dbc", "WorldMapContinent.ini", 13},
        {"TaxiPath.dbc", "TaxiPath.ini", 4},
        {"TaxiNodes.dbc", "TaxiNodes.ini", 14},
        {"LoadingScreens.dbc", "LoadingScreens.ini", 3},
        {"FactionTemplate.dbc", "FactionTemplate.ini", 14},
        {"Faction.dbc", "Faction.ini", 37},
        {"AreaTrigger.dbc", "AreaTrigger.ini", 10},
    };
    const auto presets = PresetTable();
    ASSERT_EQ(presets.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].Item);
        EXPECT_EQ(presets[i].Item, expected[i].Item);
        EXPECT_EQ(presets[i].FileName, expected[i].FileName);
        EXPECT_EQ(presets[i].FieldCount, expected[i].FieldCount);
        EXPECT_EQ(FindPreset(expected[i].Item), &presets[i]);

        // Every preset is a field-definition file of its fields, CR LF throughout.
        const std::string_view text = presets[i].Text;
        EXPECT_TRUE(text.starts_with("[Field kind]\r\n"));
        EXPECT_TRUE(text.ends_with("\r\n"));
        for (size_t at = text.find_first_of("\r\n"); at != std::string_view::npos;
             at = text.find_first_of("\r\n", at + 2)) {
            ASSERT_EQ(text.substr(at, 2), "\r\n") << "bare line end at " << at;
        }
        int count = 0;
        ReadBack(presets[i], &count);
        EXPECT_EQ(count, expected[i].FieldCount);
    }
    EXPECT_EQ(FindPreset("spell.dbc"), nullptr);
    EXPECT_EQ(FindPreset("Item.dbc"), nullptr);
}

TEST(PresetTexts, IrregularPresetsKeepTheirOddLines) {
    EXPECT_EQ(PresetOf("LoadingScreens.dbc").Text,
              CrlfText({"[Field kind]", "Field 0=ftInteger", "Field 1=ftString", "Field 2=ftString",
                        "", "[Field name]", "Field 0=ID", "Field 1=Name", "Field 2=File", "",
                        "[Field hex]", "Field 0=0", "Field 1=0", "Field 2=0"}));
    EXPECT_EQ(
        PresetOf("WorldMapContinent.dbc").Text,
        CrlfText(
            {"[Field kind]",      "Field 0=ftInteger", "Field 1=ftInteger", "Field 2=ftInteger",
             "Field 3=ftInteger", "Field 4=ftInteger", "Field 5=ftInteger", "Field 6=ftFloat",
             "Field 7=ftFloat",   "Field 8=ftFloat",   "Field 9=ftFloat",   "Field 10=ftFloat",
             "Field 11=ftFloat",  "Field 12=ftFloat",  "[Field name]",      "Field 0=id",
             "Field 1=mapdbc",    "Field 4=unk1",      "Field 5=unk2",      "Field 6=unk3",
             "Field 7=unk4",      "Field 8=unk6",      "Field 9=x1",        "Field 10=y2",
             "Field 11=x1",       "Field 12=y2",       "[Field hex]",       "Field 0=0",
             "Field 1=0",         "Field 2=0",         "Field 3=0",         "Field 4=0",
             "Field 5=0",         "Field 6=0",         "Field 7=0"}));
    EXPECT_EQ(PresetOf("TaxiPath.dbc").Text,
              CrlfText({"[Field kind]", "Field 0=ftInteger", "Field 1=ftInteger",
                        "Field 2=ftInteger", "Field 3=ftInteger", "[Field name]", "Field 0=ID",
                        "Field 1=Node_src", "Field 2=Node_dst", "Field 3=Price", "[Field hex]",
                        "Field 0=0", "Field 1=0", "Field 2=0", "Field 3=0"}));

    const std::string_view taxiNodes = PresetOf("TaxiNodes.dbc").Text;
    const std::string hexSection =
        CrlfText({"[Field hex]", "Field 0=0", "Field 1=0", "Field 2=0", "Field 3=0", "Field 13=1",
                  "Field 4=0", "Field 5=0", "Field 6=0", "Field 7=0", "Field 8=0", "Field 9=0",
                  "Field 10=0", "Field 11=0", "Field 12=0", "Field 13=0"});
    EXPECT_TRUE(taxiNodes.ends_with(hexSection)) << taxiNodes;
}

TEST(PresetTexts, WorldMapContinentReadsBackWithDefaultAndSuffixedNames) {
    const auto defs = ReadBack(PresetOf("WorldMapContinent.dbc"));
    EXPECT_EQ((*defs)[2].Name, "2");
    EXPECT_EQ((*defs)[3].Name, "3");
    EXPECT_EQ((*defs)[9].Name, "x1");
    EXPECT_EQ((*defs)[10].Name, "y2");
    EXPECT_EQ((*defs)[11].Name, "x1 c11");
    EXPECT_EQ((*defs)[12].Name, "y2 c12");
    EXPECT_EQ((*defs)[12].Kind, FieldKind::ftFloat);
}

TEST(PresetTexts, TaxiNodesField13IsHexFromItsFirstKey) {
    const auto defs = ReadBack(PresetOf("TaxiNodes.dbc"));
    for (int n = 0; n < 14; ++n) {
        EXPECT_EQ((*defs)[n].Hex, n == 13) << "field " << n;
    }
    EXPECT_EQ((*defs)[5].Name, "Area");
    EXPECT_EQ((*defs)[5].Kind, FieldKind::ftString);
}

struct FieldExpectation {
    const char* Item;
    int Field;
    const char* Name;
    FieldKind Kind;
    bool Hex;
};

void PrintTo(const FieldExpectation& e, std::ostream* out) {
    *out << e.Item << " field " << e.Field;
}

class PresetFieldsReadBack : public ::testing::TestWithParam<FieldExpectation> {};

TEST_P(PresetFieldsReadBack, AsDescribed) {
    const FieldExpectation& e = GetParam();
    const auto defs = ReadBack(PresetOf(e.Item));
    const FieldDef& def = (*defs)[e.Field];
    EXPECT_EQ(def.Name, e.Name);
    EXPECT_EQ(def.Kind, e.Kind);
    EXPECT_EQ(def.Hex, e.Hex);
}

constexpr FieldKind kInt = FieldKind::ftInteger;
constexpr FieldKind kFloat = FieldKind::ftFloat;
constexpr FieldKind kString = FieldKind::ftString;

INSTANTIATE_TEST_SUITE_P(
    Samples, PresetFieldsReadBack,
    ::testing::Values(FieldExpectation{"WorldMapArea.dbc", 2, "AreaID", kInt, false},
                      FieldExpectation{"WorldMapArea.dbc", 3, "AreaName", kString, false},
                      FieldExpectation{"WorldMapArea.dbc", 7, "h", kFloat, false},
                      FieldExpectation{"WorldSafeLocs.dbc", 5, "name", kString, false},
                      FieldExpectation{"WorldSafeLocs.dbc", 12, "12", kInt, false},
                      FieldExpectation{"WorldSafeLocs.dbc", 13, "13", kInt, true},
                      FieldExpectation{"FactionTemplate.dbc", 2, "2", kInt, true},
                      FieldExpectation{"FactionTemplate.dbc", 5, "hostile", kInt, true},
                      FieldExpectation{"FactionTemplate.dbc", 8, "8", kInt, false},
                      FieldExpectation{"FactionTemplate.dbc", 10, "faction_link_own_faction", kInt,
                                       false},
                      FieldExpectation{"FactionTemplate.dbc", 13, "faction_link_6", kInt, false},
                      FieldExpectation{"Faction.dbc", 5, "5", kInt, true},
                      FieldExpectation{"Faction.dbc", 6, "6", kInt, false},
                      FieldExpectation{"Faction.dbc", 18, "link2faction", kInt, false},
                      FieldExpectation{"Faction.dbc", 19, "name", kString, false},
                      FieldExpectation{"Faction.dbc", 27, "27", kInt, true},
                      FieldExpectation{"Faction.dbc", 36, "36", kInt, true},
                      FieldExpectation{"AreaTrigger.dbc", 1, "MapID", kInt, false},
                      FieldExpectation{"AreaTrigger.dbc", 5, "5", kFloat, false},
                      FieldExpectation{"AreaTrigger.dbc", 6, "6", kInt, false},
                      FieldExpectation{"AreaTrigger.dbc", 9, "9", kInt, false}));

TEST(SpellPreset, KindsAndHexFieldsByPosition) {
    int count = 0;
    const auto defs = ReadBack(PresetOf("Spell.dbc"), &count);
    ASSERT_EQ(count, 167);
    const std::set<int> floats = {35, 70, 71, 72, 109, 110, 111, 163, 164, 165};
    const std::set<int> strings = {117, 126, 135, 144};
    const std::set<int> hex = {6,   7,   8,   9,   11,  19,  20,  21, 22,
                               122, 125, 131, 134, 143, 152, 158, 166};
    for (int n = 0; n < count; ++n) {
        const FieldKind expected = floats.contains(n)    ? kFloat
                                   : strings.contains(n) ? kString
                                                         : kInt;
        EXPECT_EQ((*defs)[n].Kind, expected) << "field " << n;
        EXPECT_EQ((*defs)[n].Hex, hex.contains(n)) << "field " << n;
        // All names differ already, so none gains a suffix when read.
        EXPECT_EQ((*defs)[n].Name.find(" c"), std::string::npos) << (*defs)[n].Name;
    }
}

TEST(SpellPreset, NamesInFieldOrder) {
    const auto defs = ReadBack(PresetOf("Spell.dbc"));
    const std::vector<std::pair<int, std::string>> names = {
        {0, "ID"},
        {3, "3"},
        {5, "5"},
        {6, "attributes"},
        {10, "10"},
        {11, "targetssssss"},
        {28, "duration ($d) [id number for S"},
        {30, "manacost [or energy]"},
        {36, "modalNextSpell"},
        {37, "37"},
        {39, "Totem[2]"},
        {40, "Reagent[1]"},
        {47, "Reagent[8]"},
        {55, "ReagentCount[8]"},
        {58, "SpellEffectNames($M1)"},
        {61, "EffectDieSides[1]"},
        {72, "EffectRealPointsPerLevel[3]"},
        {75, "effectbase[3] ($s3)"},
        {78, "78"},
        {79, "EffectImplicitTargetA[1]"},
        {102, "EffectItemType[3]"},
        {104, "craftskill"},
        {106, "link_to_spell (train->learn)"},
        {108, "EffectTriggerSpell[3]"},
        {111, "EffectPointsPerComboPoint[3]"},
        {112, "SpellVisual"},
        {113, "110"},
        {117, "Name"},
        {124, "NameAlt[7]"},
        {125, "NameFlags"},
        {126, "Rank"},
        {134, "RankFlags"},
        {135, "Description"},
        {143, "DescriptionFlags"},
        {144, "BuffDescription"},
        {151, "BuffDescriptionAlt[7]"},
        {152, "ManaCostPercentage"},
        {154, "StartRecoveryTime"},
        {156, "156"},
        {157, "SpellFamilyName"},
        {158, "158"},
        {166, "166"},
    };
    for (const auto& [field, name] : names) {
        EXPECT_EQ((*defs)[field].Name, name) << "field " << field;
    }
    EXPECT_NE(PresetOf("Spell.dbc").Text.find("\r\nField 28=duration ($d) [id number for S\r\n"),
              std::string_view::npos);
}

TEST(WritePreset, ReplacesAnyFileOfThatName) {
    TempDir dir;
    dir.Write("Faction.ini", "old text that is longer than nothing");
    const Preset& preset = PresetOf("Faction.dbc");
    EXPECT_EQ(WritePreset(preset, dir.Path()), dir.File("Faction.ini"));
    EXPECT_EQ(dir.Read("Faction.ini"), preset.Text);
}

// Makes a folder the current folder for its lifetime.
class InOtherFolder {
  public:
    explicit InOtherFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InOtherFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    InOtherFolder(const InOtherFolder&) = delete;
    InOtherFolder& operator=(const InOtherFolder&) = delete;

  private:
    std::filesystem::path previous_;
};

TEST(WritePreset, NoFolderMeansTheCurrentFolder) {
    TempDir dir;
    {
        InOtherFolder inside(dir.Path());
        EXPECT_EQ(WritePreset(PresetOf("TaxiPath.dbc"), ""), "TaxiPath.ini");
    }
    EXPECT_EQ(dir.Read("TaxiPath.ini"), PresetOf("TaxiPath.dbc").Text);
}

TEST(WritePreset, FailureNamesTheFile) {
    TempDir dir;
    const std::string path = dir.File("missing/Spell.ini");
    try {
        WritePreset(PresetOf("Spell.dbc"), dir.File("missing"));
        FAIL() << "wrote into a missing folder";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane

#include "core/definitions/DbdLayoutChoice.h"

#include <gtest/gtest.h>

#include <string>

#include "core/definitions/DbdReader.h"

namespace kelvane {
namespace {

// Layouts of 11 fields and 44 bytes a record, except the one of build 3.3.5.12340 (19 fields,
// 76 bytes). The last two expand alike but belong to different eras.
const char* const SparkDbd = R"(COLUMNS
int ID
locstring Name_lang
int Icon
float Scale
string Model

BUILD 1.12.1.5875
$id$ID<32>
Name_lang
Icon<32>

BUILD 3.3.5.12340
$id$ID<32>
Name_lang
Icon<32>

BUILD 1.8.0.4996-1.10.2.5302
$id$ID<32>
Model
Scale
Icon<32>[8]

BUILD 2.0.1.6180
$id$ID<32>
Model
Scale
Icon<32>[8]
)";

class DbdLayoutChoiceTest : public ::testing::Test {
  protected:
    DbdLayoutChoice Choose(int64_t fieldCount, int64_t recordBytes, const char* build) const {
        DbdLayoutRequest request{"Spark.dbc", fieldCount, recordBytes, std::nullopt, {}};
        if (build != nullptr) {
            request.Build = ParseDbdBuild(build);
        }
        return ChooseDbdLayout(file_, request);
    }

    DbdFile file_ = ReadDbdFile(SparkDbd, "Spark.dbd");
};

bool Mentions(const DbdLayoutChoice& choice, const std::string& text) {
    return choice.Message.find(text) != std::string::npos;
}

TEST_F(DbdLayoutChoiceTest, TheChosenBuildsLayoutWinsWhenItFits) {
    struct Case {
        const char* build;
        int definitionLine;
        const char* secondField;
    };
    for (Case c : {Case{"1.12.1.5875", 8, "Name_lang_enUS"}, Case{"1.9.4.5086", 18, "Model"}}) {
        DbdLayoutChoice choice = Choose(11, 44, c.build);
        EXPECT_EQ(choice.Outcome, DbdChoiceOutcome::ChosenBuild) << c.build;
        EXPECT_EQ(choice.DefinitionLine, c.definitionLine) << c.build;
        ASSERT_EQ(choice.Fields.size(), 11u) << c.build;
        EXPECT_EQ(choice.Fields[1].Name, c.secondField) << c.build;
        EXPECT_EQ(choice.Build->Text(), c.build);
        EXPECT_TRUE(Mentions(choice, "Spark.dbc")) << choice.Message;
    }
}

TEST_F(DbdLayoutChoiceTest, AChosenLayoutThatDoesNotFitGivesWayToOneThatDoes) {
    DbdLayoutChoice choice = Choose(11, 44, "3.3.5.12340");
    EXPECT_EQ(choice.Outcome, DbdChoiceOutcome::Fitting);
    EXPECT_EQ(choice.DefinitionLine, 24);
    EXPECT_EQ(choice.DifferentFittingLayouts, 2);
    EXPECT_EQ(choice.Fields.size(), 11u);
    EXPECT_TRUE(Mentions(choice, "19 fields, 76 bytes a record")) << choice.Message;
    EXPECT_TRUE(Mentions(choice, "11 fields, 44 bytes a record")) << choice.Message;
    EXPECT_TRUE(Mentions(choice, "the newest of 2 different layouts")) << choice.Message;
}

TEST_F(DbdLayoutChoiceTest, SeveralDifferentFitsPreferTheChosenBuildsEra) {
    DbdLayoutChoice era2 = Choose(11, 44, "2.4.3.8606");
    EXPECT_EQ(era2.Outcome, DbdChoiceOutcome::Fitting);
    EXPECT_EQ(era2.DefinitionLine, 24);
    EXPECT_EQ(era2.Build->Text(), "2.0.1.6180");
    EXPECT_EQ(era2.Fields[1].Name, "Model");
    EXPECT_TRUE(Mentions(era2, "has no layout for build 2.4.3.8606")) << era2.Message;
    EXPECT_TRUE(Mentions(era2, "picked for its era")) << era2.Message;

    DbdLayoutChoice noBuild = Choose(11, 44, nullptr);
    EXPECT_EQ(noBuild.Build->Text(), "2.0.1.6180");
    EXPECT_EQ(noBuild.DifferentFittingLayouts, 2);
    EXPECT_TRUE(Mentions(noBuild, "chosen without a build")) << noBuild.Message;
}

TEST_F(DbdLayoutChoiceTest, ReleaseBuildsGoBeforeAlphaBuildsWithoutABuild) {
    std::string text = SparkDbd;
    text += "\nBUILD 0.9.1.3810\n$id$ID<32>\nScale\nModel\nIcon<32>[8]\n";
    const DbdFile withAlpha = ReadDbdFile(text, "Spark.dbd");
    const DbdLayoutChoice choice =
        ChooseDbdLayout(withAlpha, {"Spark.dbc", 11, 44, std::nullopt, {}});
    EXPECT_EQ(choice.Build->Text(), "2.0.1.6180");
    EXPECT_EQ(choice.DifferentFittingLayouts, 3);
}

TEST_F(DbdLayoutChoiceTest, LayoutsWhoseTextsDoNotFitArePassedOverInTurn) {
    // The texts are where the 1.12.1 layout reads its locale texts; a layout reading Model there
    // points into the middle of them.
    const auto textsFitNameLang = [](const std::vector<DbdField>& fields) {
        StringBlockFit fit;
        if (fields[1].Name != "Name_lang_enUS") {
            fit.MisreadColumns.push_back({fields[1].Name, 7});
        }
        return fit;
    };
    for (const char* build : {"2.4.3.8606", "1.9.4.5086"}) {
        SCOPED_TRACE(build);
        DbdLayoutRequest request{"Spark.dbc", 11, 44, ParseDbdBuild(build), textsFitNameLang};

        const DbdLayoutChoice choice = ChooseDbdLayout(file_, request);

        EXPECT_EQ(choice.Outcome, DbdChoiceOutcome::Fitting);
        EXPECT_EQ(choice.Build->Text(), "1.12.1.5875");
        EXPECT_EQ(choice.SkippedLayouts, 1);
        EXPECT_TRUE(Mentions(choice, "passed over: the layout of build")) << choice.Message;
        EXPECT_TRUE(Mentions(choice, "7 cells of the string column \"Model\"")) << choice.Message;
    }

    DbdLayoutRequest none{"Spark.dbc", 11, 44, std::nullopt,
                          [](const std::vector<DbdField>& fields) {
                              StringBlockFit fit;
                              fit.DroppedTexts = static_cast<int>(fields.size());
                              return fit;
                          }};
    const DbdLayoutChoice nothing = ChooseDbdLayout(file_, none);
    EXPECT_EQ(nothing.Outcome, DbdChoiceOutcome::NoFit);
    EXPECT_TRUE(nothing.Fields.empty());
    EXPECT_EQ(nothing.SkippedLayouts, 2);
    EXPECT_TRUE(Mentions(nothing, "no layout in \"Spark.dbd\" fits the file's texts"))
        << nothing.Message;
    EXPECT_TRUE(Mentions(nothing, "it loads as integers")) << nothing.Message;
}

TEST_F(DbdLayoutChoiceTest, NothingFittingIsSaidWithTableBuildAndBothCounts) {
    DbdLayoutChoice listed = Choose(12, 48, "1.12.1.5875");
    EXPECT_EQ(listed.Outcome, DbdChoiceOutcome::NoFit);
    EXPECT_TRUE(listed.Fields.empty());
    for (const char* part : {"Spark.dbc", "1.12.1.5875", "11 fields, 44 bytes",
                             "12 fields, 48 bytes", "loads as integers"}) {
        EXPECT_TRUE(Mentions(listed, part)) << part << " in " << listed.Message;
    }

    DbdLayoutChoice unlisted = Choose(12, 48, "5.0.1.15464");
    EXPECT_TRUE(Mentions(unlisted,
                         "no layout for build 5.0.1.15464, and none of its layouts fits "
                         "Spark.dbc (12 fields, 48 bytes a record)"))
        << unlisted.Message;

    DbdLayoutChoice noBuild = Choose(11, 45, nullptr);
    EXPECT_EQ(noBuild.Outcome, DbdChoiceOutcome::NoFit);
    EXPECT_TRUE(Mentions(noBuild, "None of the layouts in \"Spark.dbd\" fits Spark.dbc"))
        << noBuild.Message;
}

// Many layouts of the file's size are judged by their expansions: those that expand alike
// count once, by the one of them tried first.
TEST(DbdLayoutChoiceManyTest, LayoutsThatExpandAlikeCountOnce) {
    std::string text = "COLUMNS\nint a\nint b\n\n";
    for (int layout = 0; layout < 3000; ++layout) {
        text +=
            "BUILD 1.0.0." + std::to_string(layout) + "\n" + (layout % 3 == 0 ? "b" : "a") + "\n\n";
    }
    const DbdFile file = ReadDbdFile(text, "Many.dbd");
    const DbdLayoutChoice choice = ChooseDbdLayout(file, {"Many.dbc", 1, 4, std::nullopt, {}});
    EXPECT_EQ(choice.DifferentFittingLayouts, 2);
    EXPECT_EQ(choice.Build->Text(), "1.0.0.2999");
    ASSERT_EQ(choice.Fields.size(), 1u);
    EXPECT_EQ(choice.Fields[0].Name, "a");

    const DbdLayoutChoice chosen =
        ChooseDbdLayout(file, {"Many.dbc", 1, 4, *ParseDbdBuild("1.0.0.9"), {}});
    EXPECT_EQ(chosen.Outcome, DbdChoiceOutcome::ChosenBuild);
    EXPECT_EQ(chosen.Fields[0].Name, "b");
    EXPECT_EQ(chosen.DifferentFittingLayouts, 2);
}

}  // namespace
}  // namespace kelvane

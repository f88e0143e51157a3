#include "app/StatusTexts.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/CellEntry.h"
#include "exchange/PatchReader.h"
#include "import/LootTemplates.h"
#include "import/RecordImport.h"

namespace kelvane::testing {
namespace {

struct PositionCase {
    int CurrentRow;
    int RecordCount;
    bool TableOpen;
    const char* Expected;
};

TEST(StatusTextsTest, RecordPositionCountsFromOneAndSaysWhenThereIsNone) {
    const std::vector<PositionCase> cases = {
        {0, 1, true, "Record 1 of 1"},
        {11, 100000, true, "Record 12 of 100000"},
        {99999, 100000, true, "Record 100000 of 100000"},
        {-1, 0, true, "No records"},
        {-1, 5, true, "5 records"},
        {5, 5, true, "5 records"},
        {-1, 1, true, "1 record"},
        {0, 0, false, ""},
    };
    for (const PositionCase& c : cases) {
        EXPECT_EQ(RecordPositionText(c.CurrentRow, c.RecordCount, c.TableOpen), c.Expected)
            << "row " << c.CurrentRow << " of " << c.RecordCount;
    }
}

TEST(StatusTextsTest, ShownCountAndUnsavedMarkAppearOnlyWhenThereIsSomethingToSay) {
    EXPECT_EQ(ShownRecordsText(std::nullopt), "");
    EXPECT_EQ(ShownRecordsText(0), "0 shown");
    EXPECT_EQ(ShownRecordsText(42), "42 shown");
    EXPECT_EQ(UnsavedText(false), "");
    EXPECT_EQ(UnsavedText(true), "Unsaved changes");
}

TableDefinitions FromIni(bool preset = false) {
    TableDefinitions used;
    used.Source = DefinitionsSource::TableIni;
    used.File = "Spell.ini";
    used.FromPreset = preset;
    return used;
}

TableDefinitions FromDbd(const char* message = "") {
    TableDefinitions used;
    used.Source = DefinitionsSource::Dbd;
    used.File = "Spell.dbd";
    used.Build = ParseDbdBuild("3.3.5.12340");
    used.Message = message;
    return used;
}

TableDefinitions NoDefinitions(int textLikeColumns, const char* message = "") {
    TableDefinitions used;
    used.TextLikeColumns = textLikeColumns;
    used.Message = message;
    return used;
}

struct DefinitionsCase {
    DefinitionsFit Fit;
    const char* Text;
};

TEST(StatusTextsTest, DefinitionsSayWhereTheColumnsCameFromAndWhetherTheyFit) {
    StringBlockFit misfit;
    misfit.DroppedTexts = 3;
    const std::vector<DefinitionsCase> cases = {
        {{}, ""},
        {{"Spell.ini", 173, 173, "", {}, FromIni()}, "Spell.ini"},
        {{"Spell.ini", 173, 173, "", {}, FromIni(true)}, "Spell.ini (preset)"},
        {{"Spell.ini", 167, 173, "Spell.ini describes 167 fields", {}, FromIni()},
         "Spell.ini: 167 of 173 fields"},
        {{"Spell.ini", 180, 1, "too many", {}, FromIni()}, "Spell.ini: 180 of 1 field"},
        {{"Spell.dbd", 173, 173, "", {}, FromDbd()}, "Spell.dbd, build 3.3.5.12340"},
        {{"Spell.ini", 0, 173, "", {}, NoDefinitions(0)}, "No definitions"},
        {{"Spell.ini", 0, 173, "", {}, NoDefinitions(3)},
         "No definitions; 3 columns look like texts"},
        {{"Spell.ini", 173, 173, "", misfit, FromIni()}, "Spell.ini, texts do not fit"},
        {{"Spell.dbd", 4, 4, "", misfit, FromDbd()},
         "Spell.dbd, build 3.3.5.12340, texts do not fit"},
    };
    for (const DefinitionsCase& c : cases) {
        EXPECT_EQ(DefinitionsText(c.Fit), c.Text);
    }
}

// Whether every part occurs in the text, in this order.
bool SaysInOrder(const std::string& text, const std::vector<std::string>& parts) {
    size_t from = 0;
    for (const std::string& part : parts) {
        from = text.find(part, from);
        if (from == std::string::npos) {
            return false;
        }
        from += part.size();
    }
    return true;
}

TEST(StatusTextsTest, DefinitionDetailsTellTheWholeStory) {
    StringBlockFit misfit;
    misfit.DroppedTexts = 2;
    const std::string ini = DefinitionsDetails(
        {"Spell.ini", 167, 173, "Spell.ini describes 167 fields.", misfit, FromIni(true)});
    EXPECT_TRUE(SaysInOrder(ini, {"Field definitions from Spell.ini beside the table (a built-in "
                                  "preset).",
                                  "\nSpell.ini describes 167 fields.",
                                  "\nA save would change the string block: " + misfit.Problems()}))
        << ini;

    const std::string dbd = DefinitionsDetails({"Spell.dbd",
                                                4,
                                                4,
                                                "",
                                                {},
                                                FromDbd("The layout of build 3.3.5.12340 "
                                                        "fits Spell.dbc.")});
    EXPECT_EQ(dbd,
              "Field definitions from Spell.dbd, the layout of build 3.3.5.12340.\n"
              "The layout of build 3.3.5.12340 fits Spell.dbc.");

    // The layout that does not fit is told once, though the load's note tells it too.
    const char* noFit = "No layout of Spell.dbd fits Spell.dbc (5 fields, 20 bytes).";
    const std::string none =
        DefinitionsDetails({"Spell.ini", 0, 5, noFit, {}, NoDefinitions(2, noFit)});
    EXPECT_TRUE(
        SaysInOrder(none, {"No field definitions: Spell.ini was not found",
                           "\n2 columns look like texts: Guess in Edit > Fields...", noFit}))
        << none;
    EXPECT_EQ(none.find(noFit), none.rfind(noFit)) << none;
    EXPECT_NE(DefinitionsDetails({"Spell.ini", 0, 5, "", {}, NoDefinitions(1)})
                  .find("\n1 column looks like text:"),
              std::string::npos);
    EXPECT_EQ(DefinitionsDetails({}), "");
}

TEST(StatusTextsTest, CommandResultsSayWhatWasDoneWithCountsInWords) {
    ImportReport imported;
    imported.RecordsAppended = 3;
    ImportReport importedWithSkips;
    importedWithSkips.RecordsAppended = 1;
    importedWithSkips.LinesPassedOver = 2;
    LootImportReport loot;
    loot.FilesWritten = 1;
    loot.EntriesWritten = 7;

    const std::vector<std::pair<std::string, std::string>> cases = {
        {ExportedLinesText(100000, "/data/out/Spell.csv"), "Exported 100000 lines to Spell.csv"},
        {ExportedLinesText(1, "line.csv"), "Exported 1 line to line.csv"},
        {ExportedPatchLinesText(2, "/p/patch.txt"), "Exported 2 patch lines to patch.txt"},
        {PatchAppliedText({12, 3}), "Applied 12 lines, added 3 records"},
        {PatchAppliedText({1, 1}), "Applied 1 line, added 1 record"},
        {PatchAppliedText({0, 0}), "Applied 0 lines, added 0 records"},
        {ScriptImportedText(imported, "/s/items.scp"), "Imported 3 records from items.scp"},
        {ScriptImportedText(importedWithSkips, "q.tt"),
         "Imported 1 record from q.tt, passed over 2 lines"},
        {LootTemplatesWrittenText(loot), "Wrote 1 loot template file with 7 entries"},
        {SavedText(100000, "/d/Spell.dbc"), "Saved 100000 records to Spell.dbc"},
        {PastedText({3, 2, 0}), "Pasted 6 cells in 3 rows"},
        {PastedText({1, 1, 1}), "Pasted 1 cell in 1 row, added 1 record"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }
}

}  // namespace
}  // namespace kelvane::testing

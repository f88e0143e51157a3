#include "app/StatusTexts.h"

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

struct DefinitionsCase {
    DefinitionsFit Fit;
    const char* Text;
};

TEST(StatusTextsTest, DefinitionsNameTheFileAndWhetherItFits) {
    StringBlockFit misfit;
    misfit.DroppedTexts = 3;
    const std::vector<DefinitionsCase> cases = {
        {{}, ""},
        {{"Spell.ini", 173, 173, "", {}}, "Spell.ini fits"},
        {{"Spell.ini", 167, 173, "Spell.ini describes 167 fields", {}},
         "Spell.ini: 167 of 173 fields"},
        {{"Spell.ini", 180, 1, "too many", {}}, "Spell.ini: 180 of 1 field"},
        {{"Spell.ini", 0, 173, "", {}}, "No field definitions"},
        {{"Spell.ini", 173, 173, "", misfit}, "Spell.ini fits, texts do not fit"},
    };
    for (const DefinitionsCase& c : cases) {
        EXPECT_EQ(DefinitionsText(c.Fit), c.Text);
    }
}

TEST(StatusTextsTest, DefinitionDetailsGiveTheNoteAndWhatASaveWouldChange) {
    StringBlockFit misfit;
    misfit.DroppedTexts = 2;
    const std::string details =
        DefinitionsDetails({"Spell.ini", 167, 173, "Spell.ini describes 167 fields.", misfit});
    EXPECT_NE(details.find("Field definitions from Spell.ini."), std::string::npos) << details;
    EXPECT_NE(details.find("Spell.ini describes 167 fields."), std::string::npos) << details;
    EXPECT_NE(details.find("A save would change the string block: " + misfit.Problems()),
              std::string::npos)
        << details;
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

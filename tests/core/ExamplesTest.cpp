#include "examples/generator/ExampleTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "core/files/FileIo.h"
#include "core/files/TablePaths.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::TempDir;

std::string BundledPath(const std::string& name) {
    return std::string(KELVANE_SOURCE_DIR) + "/examples/" + name;
}

// A bundled table opened as the editor opens it, with the definitions beside it.
class BundledTable {
  public:
    explicit BundledTable(const std::string& name)
        : workspace_(std::make_unique<Workspace>()),
          report_(OpenDbcTable(*workspace_, BundledPath(name))) {}

    Workspace& Ws() { return *workspace_; }
    RecordTable& Table() { return workspace_->Table; }
    const LoadReport& Report() const { return report_; }

    // The column of that name, failing the test when there is none.
    int Column(const std::string& name) const {
        const int column = workspace_->Table.FindColumn(name);
        EXPECT_GT(column, 0) << "no column " << name;
        return column;
    }

  private:
    std::unique_ptr<Workspace> workspace_;
    LoadReport report_;
};

TEST(Examples, BundledFilesAreWhatTheGeneratorMakes) {
    const TempDir dir;
    const std::vector<std::string> written = WriteExampleTables(dir.Path());
    ASSERT_EQ(written.size(), 10u);
    for (const std::string& path : written) {
        const std::string name = path.substr(path.rfind('/') + 1);
        const std::string made = ReadWholeFile(path, NamedBy::User);
        const std::string bundled = ReadWholeFile(BundledPath(name), NamedBy::User);
        // No byte dump on failure: the sizes and the first difference say enough.
        const auto difference =
            std::mismatch(made.begin(), made.end(), bundled.begin(), bundled.end());
        EXPECT_TRUE(made == bundled)
            << name << " differs from the generator's output at byte "
            << (difference.first - made.begin()) << " (" << bundled.size() << " bytes bundled, "
            << made.size() << " made); run kelvane-make-examples examples";
    }
}

TEST(Examples, SpellTableLoadsWithThePresetColumns) {
    BundledTable spell("Spell.dbc");
    EXPECT_EQ(spell.Report().Header.FieldCount, 167);
    EXPECT_EQ(spell.Report().Header.RecordSize, 167 * 4);
    EXPECT_EQ(spell.Report().BadStringCells, 0);
    EXPECT_EQ(spell.Table().RecordCount(), 320);

    const int name = spell.Column("Name");
    EXPECT_EQ(name, 118);
    EXPECT_EQ(spell.Table().ColumnKind(name), FieldKind::ftString);
    EXPECT_EQ(spell.Table().ColumnKind(spell.Column("speed")), FieldKind::ftFloat);
    EXPECT_EQ(spell.Table().ColumnKind(spell.Column("Description")), FieldKind::ftString);

    const int rank = spell.Column("Rank");
    const int id = spell.Column("ID");
    for (int row = 0; row < spell.Table().RecordCount(); ++row) {
        EXPECT_FALSE(spell.Table().StringAt(row, name).empty()) << "record " << row;
        if (row > 0) {
            EXPECT_GT(spell.Table().IntegerAt(row, id), spell.Table().IntegerAt(row - 1, id));
        }
    }
    EXPECT_EQ(spell.Table().StringAt(0, rank), "Rank 1");
}

TEST(Examples, FactionTableLoadsWithNames) {
    BundledTable faction("Faction.dbc");
    EXPECT_EQ(faction.Report().Header.FieldCount, 37);
    EXPECT_EQ(faction.Table().RecordCount(), 38);
    const int name = faction.Column("name");
    EXPECT_EQ(name, 20);
    EXPECT_EQ(faction.Table().ColumnKind(name), FieldKind::ftString);
    EXPECT_EQ(faction.Table().StringAt(1, name), "Wardens of Kelmoor");
    EXPECT_EQ(faction.Table().IntegerAt(1, faction.Column("link2faction")), 10);
}

TEST(Examples, ItemDisplayTableKeepsItsByteFields) {
    BundledTable items("ItemDisplayFlags.dbc");
    EXPECT_TRUE(items.Report().HasByteFields);
    EXPECT_EQ(items.Report().Header.FieldCount, 8);
    EXPECT_EQ(items.Report().Header.RecordSize, 17);
    EXPECT_EQ(items.Ws().FileLayout, CellLayout::WholeThenBytes(3, 5));
    EXPECT_EQ(items.Table().RecordCount(), 60);
    EXPECT_EQ(items.Table().ColumnKind(items.Column("Model")), FieldKind::ftString);

    // Byte cells read as 0 to 255, the high ones included.
    const int sound = items.Column("SoundSet");
    int32_t loudest = 0;
    for (int row = 0; row < items.Table().RecordCount(); ++row) {
        const int32_t value = items.Table().IntegerAt(row, sound);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 255);
        loudest = std::max(loudest, value);
    }
    EXPECT_GT(loudest, 127);
}

// Every talent sits on a tab of the tab table and inside the 7 x 4 tree, and a talent it
// requires sits on the same tab in an earlier row, as the game expects of a tree.
TEST(Examples, TalentTreesHangTogether) {
    BundledTable tabs("TalentTab.dbc");
    BundledTable talents("Talent.dbc");
    ASSERT_EQ(tabs.Report().Header.FieldCount, 15);
    ASSERT_EQ(talents.Report().Header.FieldCount, 21);
    std::map<int32_t, int32_t> tabClass;
    for (int row = 0; row < tabs.Table().RecordCount(); ++row) {
        EXPECT_FALSE(tabs.Table().StringAt(row, tabs.Column("Name")).empty());
        tabClass[tabs.Table().IntegerAt(row, 1)] =
            tabs.Table().IntegerAt(row, tabs.Column("ClassMask"));
    }
    EXPECT_EQ(std::count_if(tabClass.begin(), tabClass.end(),
                            [](const auto& tab) { return tab.second == 256; }),
              3);

    struct Place {
        int32_t Tab;
        int32_t Row;
    };
    std::map<int32_t, Place> placed;
    const RecordTable& table = talents.Table();
    for (int row = 0; row < table.RecordCount(); ++row) {
        const Place place{table.IntegerAt(row, 2), table.IntegerAt(row, 3)};
        EXPECT_TRUE(tabClass.contains(place.Tab)) << "talent record " << row;
        EXPECT_GE(place.Row, 0);
        EXPECT_LE(place.Row, 6);
        EXPECT_GE(table.IntegerAt(row, 4), 0);
        EXPECT_LE(table.IntegerAt(row, 4), 3);
        placed[table.IntegerAt(row, 1)] = place;
    }
    for (int row = 0; row < table.RecordCount(); ++row) {
        const int32_t required = table.IntegerAt(row, talents.Column("ReqTalent"));
        if (required == 0) {
            continue;
        }
        ASSERT_TRUE(placed.contains(required)) << "talent record " << row;
        EXPECT_EQ(placed[required].Tab, table.IntegerAt(row, 2));
        EXPECT_LT(placed[required].Row, table.IntegerAt(row, 3));
    }
}

// Loading and saving a bundled table gives its bytes back: the files are in the form the
// writer makes, byte-field layout included.
TEST(Examples, ResavingGivesTheSameBytes) {
    const TempDir dir;
    for (const std::string name :
         {"Spell.dbc", "Faction.dbc", "ItemDisplayFlags.dbc", "TalentTab.dbc", "Talent.dbc"}) {
        BundledTable table(name);
        SaveDbcFile(table.Ws(), dir.File(name));
        EXPECT_TRUE(dir.Read(name) == ReadWholeFile(BundledPath(name), NamedBy::User)) << name;
    }
}

}  // namespace
}  // namespace kelvane

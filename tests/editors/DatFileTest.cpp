#include "editors/DatFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/base/KelvaneError.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "editors/DatGeneration.h"
#include "editors/DatKinds.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

struct NamedRecord {
    int32_t Id;
    std::string Name;
};

// A table of ids and names in a column named nameColumn, opened from a file in dir.
std::unique_ptr<Workspace> OpenNamedTable(const TempDir& dir, const std::string& nameColumn,
                                          const std::vector<NamedRecord>& records) {
    std::string strings(1, '\0');
    DbcBytes file;
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (const NamedRecord& record : records) {
        cells.emplace_back(record.Id,
                           record.Name.empty() ? 0 : static_cast<int32_t>(strings.size()));
        if (!record.Name.empty()) {
            strings += record.Name + '\0';
        }
    }
    file.Header(static_cast<int32_t>(records.size()), 2, 8, static_cast<int32_t>(strings.size()));
    for (const auto& [id, offset] : cells) {
        file.Int(id).Int(offset);
    }
    file.Raw(strings);
    dir.Write("Table.dbc", file.Bytes());
    WriteFieldDefs(dir.File("Table.dbc"), {{"ID"}, {nameColumn, FieldKind::ftString}});
    auto work = std::make_unique<Workspace>();
    OpenDbcTable(*work, dir.File("Table.dbc"));
    return work;
}

TEST(DatKinds, TablesAreKnownByTheirExactNames) {
    ASSERT_NE(DatKindForTable("Creatures"), nullptr);
    EXPECT_EQ(DatKindForTable("Creatures")->FileName, "Creature.dat");
    EXPECT_EQ(DatKindForTable("Creatures")->Question,
              "Would u like to generate Creature.dat file now? ");
    EXPECT_EQ(DatKindForTable("Items")->NameColumn, "name{inv}");
    EXPECT_EQ(DatKindForTable("gameobjects")->KindWord, "go");
    for (const char* other : {"creatures", "ITEMS", "GameObjects", "Spell", ""}) {
        EXPECT_EQ(DatKindForTable(other), nullptr) << other;
    }
    EXPECT_EQ(DatKindForWord("items"), DatKindForTable("Items"));
    EXPECT_EQ(DatKindForWord("Items"), nullptr);
}

TEST(DatFile, OneLinePerRecordInTableOrderThenTheClosingComma) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "name", {{448, "Rat"}, {25, "Big Rat"}, {7, ""}});
    std::vector<int> progress;
    const std::vector<DatEntry> entries =
        GatherDatEntries(work->Table, *DatKindForTable("Creatures"),
                         [&](int record) { progress.push_back(record); });
    EXPECT_EQ(DatLines(entries),
              (std::vector<std::string>{"448,Rat", "25,\"Big Rat\"", "7,", ","}));
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(work->Table.CurrentRow(), 2) << "the last record is current afterwards";
    EXPECT_FALSE(work->Table.NotificationsSuspended());
}

TEST(DatFile, EachKindReadsItsOwnNameColumn) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "Name{INV}", {{1, "Sword"}});
    const std::string path = dir.File("Item.dat");
    WriteDatFile(work->Table, *DatKindForTable("Items"), path);
    EXPECT_EQ(dir.Read("Item.dat"), "1,Sword\r\n,\r\n");

    try {
        WriteDatFile(work->Table, *DatKindForTable("Creatures"), dir.File("Creature.dat"));
        FAIL() << "expected the missing column";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "Field 'name' not found");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("Creature.dat")));
    EXPECT_FALSE(work->Table.NotificationsSuspended());
}

TEST(DatFile, AnEmptyTableWritesNothing) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "name{0}", {});
    try {
        WriteDatFile(work->Table, *DatKindForTable("gameobjects"), dir.File("GO.dat"));
        FAIL() << "expected a failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(),
                     "The table has no records, so there is nothing to write into GO.dat.");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("GO.dat")));
}

TEST(DatFile, WritingAgainReplacesTheWholeFile) {
    TempDir dir;
    const std::string path = dir.File("Creature.dat");
    const auto big = OpenNamedTable(dir, "name", {{1, "A"}, {2, "B"}, {3, "C"}});
    WriteDatFile(big->Table, *DatKindForTable("Creatures"), path);
    const auto small = OpenNamedTable(dir, "name", {{9, "Z"}});
    WriteDatFile(small->Table, *DatKindForTable("Creatures"), path);
    EXPECT_EQ(dir.Read("Creature.dat"), "9,Z\r\n,\r\n");
}

TEST(DatFile, AFolderThatCannotTakeTheFileIsNamedInTheMessage) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "name", {{1, "A"}});
    const std::string path = dir.File("missing/Creature.dat");
    try {
        WriteDatFile(work->Table, *DatKindForTable("Creatures"), path);
        FAIL() << "expected a failure";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot create file \"" + path + "\""),
                  std::string::npos)
            << error.what();
    }
}

class RecordingView : public DatGenerationView {
  public:
    std::vector<std::string> Statuses;
    std::vector<int> Positions;
    std::chrono::milliseconds Paused{0};

    void SetStatus(std::string_view text) override { Statuses.emplace_back(text); }
    void SetProgress(int position) override { Positions.push_back(position); }
    void Pause(std::chrono::milliseconds duration) override { Paused += duration; }
};

TEST(DatGeneration, ReportsEachStepAndKeepsTheBarAtItsMaximum) {
    TempDir dir;
    std::vector<NamedRecord> records;
    for (int32_t id = 0; id < 10000; ++id) {
        records.push_back({id, id % 2 == 0 ? "Even" : ""});
    }
    const auto work = OpenNamedTable(dir, "name", records);
    RecordingView view;
    const std::string path =
        GenerateDatFile(work->Table, *DatKindForTable("Creatures"), dir.Path(), view);

    EXPECT_EQ(path, dir.File("Creature.dat"));
    EXPECT_EQ(view.Statuses, (std::vector<std::string>{"Gathering Required Data from *.dbc file...",
                                                       "Data gathered, saving file..."}));
    EXPECT_EQ(view.Paused, std::chrono::milliseconds(500));
    ASSERT_EQ(view.Positions.size(), 10000u);
    EXPECT_EQ(view.Positions[8500], 8500);
    EXPECT_EQ(view.Positions.back(), 8500);
    const std::string text = dir.Read("Creature.dat");
    EXPECT_TRUE(text.starts_with("0,Even\r\n1,\r\n"));
    EXPECT_TRUE(text.ends_with("9998,Even\r\n9999,\r\n,\r\n"));
}

// An installed program's side-file folder is the user's data folder, which a first run has not
// made yet.
TEST(DatGeneration, CreatesTheFolderWhenMissing) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "name", {{448, "Rat"}});
    RecordingView view;
    const std::string folder = dir.File("data/kelvane");
    EXPECT_EQ(GenerateDatFile(work->Table, *DatKindForTable("Creatures"), folder, view),
              folder + "/Creature.dat");
    EXPECT_EQ(dir.Read("data/kelvane/Creature.dat"), "448,Rat\r\n,\r\n");
}

TEST(DatGeneration, AFailureLeavesTheGatheringStatusAndWritesNothing) {
    TempDir dir;
    const auto work = OpenNamedTable(dir, "name", {});
    RecordingView view;
    EXPECT_THROW(GenerateDatFile(work->Table, *DatKindForTable("Creatures"), dir.Path(), view),
                 KelvaneError);
    EXPECT_EQ(view.Statuses,
              std::vector<std::string>{"Gathering Required Data from *.dbc file..."});
    EXPECT_FALSE(std::filesystem::exists(dir.File("Creature.dat")));
}

}  // namespace
}  // namespace kelvane::testing

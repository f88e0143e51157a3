#include "import/LootTemplates.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/SaveStep.h"
#include "import/ImportNotices.h"
#include "import/LootFileName.h"
#include "tests/support/CrashAtSaveStep.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::DbcBytes;

struct LootEntry {
    int32_t Item;
    float Chance;
};

std::string LootFile(const std::vector<LootEntry>& entries) {
    DbcBytes file;
    file.Header(static_cast<int32_t>(entries.size()), 2, 8, 0);
    for (const LootEntry& entry : entries) {
        file.Int(entry.Item).Float(entry.Chance);
    }
    return file.Bytes();
}

class LootTemplatesTest : public ::testing::Test {
  protected:
    LootImportReport Import(const std::string& script) {
        folder.Write("loottemplates.scp", script);
        return ImportLootTemplates(folder.File("loottemplates.scp"));
    }

    std::string Written(const std::string& name) const {
        return folder.Read("loottemplates/" + name);
    }

    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(folder.File("loottemplates"))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempDir folder;
};

TEST_F(LootTemplatesTest, WritesOneTwoColumnTablePerSection) {
    const LootImportReport report = Import(
        "[loottemplate 1234]\r\n"
        "loot=2589 35.5\r\n"
        "loot=2592 10\r\n"
        "[loottemplate 7]\r\n"
        "[loottemplate 8]\r\n"
        "loot=1 2");

    const std::string expected = LootFile({{2589, 35.5f}, {2592, 10.0f}});
    EXPECT_EQ(expected.size(), 36u);
    EXPECT_EQ(Written("loott1234.dbc"), expected);
    EXPECT_EQ(Written("loott7.dbc"), LootFile({}));
    EXPECT_EQ(Written("loott8.dbc"), LootFile({{1, 2.0f}}));
    EXPECT_EQ(WrittenNames(),
              (std::vector<std::string>{"loott1234.dbc", "loott7.dbc", "loott8.dbc"}));
    EXPECT_EQ(report.FilesWritten, 3);
    EXPECT_EQ(report.EntriesWritten, 3);
    EXPECT_TRUE(report.SkippedIds.empty());
}

TEST_F(LootTemplatesTest, LootLinesAsTheReaderTakesThem) {
    const struct {
        std::string Line;
        std::vector<LootEntry> Entries;
    } cases[] = {
        {"loot=2589", {{2589, -1.0f}}},
        {"loot=2589 35.5 // rare", {{2589, -1.0f}}},
        {"loot=-1 50", {}},
        {"loot=0FFFFFFFF 50", {}},  // -1 written in hexadecimal is left out too
        {"loot=abc 50", {{0, 50.0f}}},
        {"loot=0A 5", {{10, 5.0f}}},
        {"loot=2589  35.5", {{2589, 35.5f}}},
        {"Loot=2589 35", {}},
        {"loot =2589 35", {}},
        {"item=2589 35", {}},
        {"// loot=2589 35", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        Import("[loottemplate 1]\n" + c.Line + "\n");
        EXPECT_EQ(Written("loott1.dbc"), LootFile(c.Entries));
    }
}

TEST_F(LootTemplatesTest, TheLaterOfTwoSectionsWithOneIdWins) {
    folder.Write("loottemplates/loott5.dbc", "older file");
    const LootImportReport report =
        Import("[loottemplate 5]\nloot=1 1\n[loottemplate  5 ]\nloot=2 2\n");

    EXPECT_EQ(Written("loott5.dbc"), LootFile({{2, 2.0f}}));
    EXPECT_EQ(report.FilesWritten, 1);
    EXPECT_EQ(report.RepeatedIds, std::vector<std::string>{"5"});
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"loott5.dbc"}));  // no temporary left
}

// The report counts the files that exist afterwards, with the entries they hold, and names
// each id that stood on more than one section once.
TEST_F(LootTemplatesTest, RepeatedIdsAreListedAndCountedOnce) {
    const LootImportReport report = Import(
        "[loottemplate 5]\nloot=1 1\nloot=2 2\n"
        "[loottemplate 6]\nloot=3 3\n"
        "[loottemplate 5]\nloot=4 4\n"
        "[loottemplate 7]\n"
        "[loottemplate 5]\nloot=5 5\nloot=6 6\nloot=7 7\n"
        "[loottemplate 6]\n");

    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"loott5.dbc", "loott6.dbc", "loott7.dbc"}));
    EXPECT_EQ(report.FilesWritten, 3);
    EXPECT_EQ(report.EntriesWritten, 3);
    EXPECT_EQ(Written("loott5.dbc"), LootFile({{5, 5.0f}, {6, 6.0f}, {7, 7.0f}}));
    EXPECT_EQ(Written("loott6.dbc"), LootFile({}));
    EXPECT_EQ(report.RepeatedIds, (std::vector<std::string>{"5", "6"}));
    EXPECT_EQ(LootImportNotices(report),
              std::vector<std::string>{
                  "These loot template ids stand on more than one section, and each file holds "
                  "the entries of the last one: '5', '6'."});
}

TEST_F(LootTemplatesTest, ANulByteEndsTheScriptAndTheReportSaysWhere) {
    using namespace std::string_literals;
    const LootImportReport report =
        Import("[loottemplate 1]\r\nloot=1 1\0\r\n[loottemplate 2]\r\nloot=2 2\r\n"s);

    EXPECT_EQ(WrittenNames(), std::vector<std::string>{"loott1.dbc"});
    EXPECT_EQ(report.NulCut, (ScriptNulCut{2, 31}));
    EXPECT_EQ(LootImportNotices(report),
              std::vector<std::string>{"The script ends at a NUL byte on line 2; the 31 bytes "
                                       "from there to the end of the file were not read."});
}

TEST_F(LootTemplatesTest, IdsThatCannotBeFileNamesAreSkippedAndListed) {
    const LootImportReport report = Import(
        "[loottemplate ../../escape]\nloot=1 1\n"
        "[loottemplate a/b]\nloot=1 1\n"
        "[loottemplate c\\d]\n"
        "[loottemplate C:x]\n"
        "[loottemplate ]\n"
        "[loottemplate a\tb]\n"
        "[loottemplate 9\n"  // no id at all: skipped without a word
        "[loottemplate Ogre \xC9lite]\nloot=3 3\n"
        "[loottemplate 1.5]\n");

    EXPECT_EQ(report.SkippedIds,
              (std::vector<std::string>{"../../escape", "a/b", "c\\d", "C:x", "", "a\tb"}));
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"loott1.5.dbc", "loottOgre \xC9lite.dbc"}));
    EXPECT_EQ(Written("loottOgre \xC9lite.dbc"), LootFile({{3, 3.0f}}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("escape.dbc")));
    EXPECT_EQ(SkippedLootIdsMessage(report.SkippedIds),
              "These loot templates were not written, because their ids cannot be part of a "
              "file name: '../../escape', 'a/b', 'c\\d', 'C:x', '', 'a\\tb'.");
}

TEST(LootFileName, PlainNamePartsOnly) {
    const std::string longest(246, '7');  // "loott" + 246 + ".dbc" = 255 bytes
    const std::string tooLong(247, '7');
    for (const std::string& id :
         std::vector<std::string>{"1234", "a.b", "Ogre \xC9lite", "-1", "x y", longest}) {
        EXPECT_TRUE(IsPlainFileNamePart(id)) << id;
    }
    for (const std::string& id :
         std::vector<std::string>{"", "..", "a..b", "/", "a\\b", "c:", "a\x7F", "\x01", tooLong}) {
        EXPECT_FALSE(IsPlainFileNamePart(id)) << id;
    }
    EXPECT_EQ(SkippedLootIdsMessage({}), "");
}

TEST_F(LootTemplatesTest, AFileWithoutSectionsWritesNothing) {
    const LootImportReport report = Import("loot=1 1\n// nothing here\n");

    EXPECT_EQ(report.FilesWritten, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("loottemplates")));
}

TEST_F(LootTemplatesTest, AnUnreadableScriptFailsWithItsMessage) {
    const std::string missing = folder.File("missing.scp");
    try {
        ImportLootTemplates(missing);
        FAIL() << "a missing script was read";
    } catch (const KelvaneError& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot open file \"" + missing + "\""));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("loottemplates")));
}

TEST_F(LootTemplatesTest, AFileThatCannotBeCreatedEndsTheRunAndKeepsTheFilesBefore) {
    // A folder in the way of the second file.
    std::filesystem::create_directories(folder.File("loottemplates/loott2.dbc"));
    folder.Write("loottemplates.scp", "[l 1]\nloot=1 1\n[l 2]\nloot=2 2\n[l 3]\nloot=3 3\n");
    try {
        ImportLootTemplates(folder.File("loottemplates.scp"));
        FAIL() << "a folder was replaced by a file";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()), "\"" + folder.File("loottemplates/loott2.dbc") +
                                                 "\" is a folder, not a file. Nothing was saved.");
    }
    EXPECT_EQ(folder.Read("loottemplates/loott1.dbc"), LootFile({{1, 1.0f}}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("loottemplates/loott3.dbc")));
}

// Killed after two of three files were renamed into place: each file is old or new, and the
// next run leaves nothing of the crashed one behind.
TEST_F(LootTemplatesTest, ACrashedRunLeavesEachFileOldOrNewAndTheNextRunClearsItsLitter) {
    std::filesystem::create_directory(folder.File("loottemplates"));
    for (const char* name : {"loott1.dbc", "loott2.dbc", "loott3.dbc"}) {
        folder.Write(std::string("loottemplates/") + name, "old");
    }
    folder.Write("loottemplates.scp", "[l 1]\nloot=1 1\n[l 2]\nloot=2 2\n[l 3]\nloot=3 3\n");
    ASSERT_TRUE(testing::SaveKilledAt(
        SaveStep::Renamed, 2, [&] { ImportLootTemplates(folder.File("loottemplates.scp")); }));
    EXPECT_EQ(Written("loott1.dbc"), LootFile({{1, 1.0f}}));
    EXPECT_EQ(Written("loott2.dbc"), LootFile({{2, 2.0f}}));
    EXPECT_EQ(Written("loott3.dbc"), "old");
    EXPECT_EQ(WrittenNames().size(), 4u);  // the crashed run's staging folder

    Import("[l 4]\nloot=4 4\n");
    EXPECT_EQ(WrittenNames(),
              (std::vector<std::string>{"loott1.dbc", "loott2.dbc", "loott3.dbc", "loott4.dbc"}));
}

// The longest id whose file name the file system takes: 5 + 246 + 4 = 255 bytes.
TEST_F(LootTemplatesTest, AnIdMakingA255ByteFileNameIsWritten) {
    const std::string id(246, '7');
    const LootImportReport report = Import("[l " + id + "]\nloot=1 1\n[l 2]\nloot=2 2\n");
    EXPECT_EQ(report.FilesWritten, 2);
    EXPECT_EQ(Written("loott" + id + ".dbc"), LootFile({{1, 1.0f}}));
    EXPECT_EQ(Written("loott2.dbc"), LootFile({{2, 2.0f}}));
}

}  // namespace
}  // namespace kelvane

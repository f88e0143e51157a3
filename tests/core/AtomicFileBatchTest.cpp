#include "core/files/AtomicFileBatch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/KelvaneError.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

size_t FilesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

TEST(AtomicFileBatch, CommitReplacesEveryTarget) {
    TempDir dir;
    dir.Write("a.dbc", "old");
    AtomicFileBatch batch;
    batch.Add(dir.File("a.dbc"), "new a");
    batch.Add(dir.File("b.dbc"), "new b");
    EXPECT_EQ(dir.Read("a.dbc"), "old");  // nothing replaced before the commit
    batch.Commit();
    EXPECT_EQ(dir.Read("a.dbc"), "new a");
    EXPECT_EQ(dir.Read("b.dbc"), "new b");
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST(AtomicFileBatch, AnUncommittedBatchLeavesTheTargetsAndNoTemporaryFiles) {
    TempDir dir;
    dir.Write("a.dbc", "old");
    {
        AtomicFileBatch batch;
        batch.Add(dir.File("a.dbc"), "new a");
        batch.Add(dir.File("b.dbc"), "new b");
    }
    EXPECT_EQ(dir.Read("a.dbc"), "old");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFileBatch, AFailingTargetKeepsTheFilesBeforeItAndNamesItself) {
    TempDir dir;
    AtomicFileBatch batch;
    batch.Add(dir.File("a.dbc"), "new a");
    batch.Add(dir.File("b.dbc"), "new b");
    batch.Add(dir.File("c.dbc"), "new c");
    // Checked again at the rename: no file replaces a folder that appeared meanwhile.
    std::filesystem::create_directory(dir.File("b.dbc"));
    try {
        batch.Commit();
        FAIL() << "replacing a folder succeeded";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "\"" + dir.File("b.dbc") + "\" is a folder, not a file. Nothing was saved.");
    }
    EXPECT_EQ(dir.Read("a.dbc"), "new a");
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.dbc")));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);  // a.dbc and the folder, no staging folder
}

TEST(AtomicFileBatch, ALaterFileForTheSameTargetReplacesTheEarlierOne) {
    TempDir dir;
    AtomicFileBatch batch;
    batch.Add(dir.File("a.dbc"), "first");
    batch.Add(dir.File("b.dbc"), "b");
    batch.Add(dir.File("./a.dbc"), "second");
    batch.Commit();
    EXPECT_EQ(dir.Read("a.dbc"), "second");
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

}  // namespace
}  // namespace kelvane::testing

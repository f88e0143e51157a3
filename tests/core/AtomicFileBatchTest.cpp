#include "core/AtomicFileBatch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/KelvaneError.h"
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
    std::filesystem::create_directory(dir.File("b.dbc"));  // no file can replace a folder
    AtomicFileBatch batch;
    batch.Add(dir.File("a.dbc"), "new a");
    batch.Add(dir.File("b.dbc"), "new b");
    batch.Add(dir.File("c.dbc"), "new c");
    try {
        batch.Commit();
        FAIL() << "replacing a folder succeeded";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + dir.File("b.dbc"), 0),
                  0u)
            << error.what();
    }
    EXPECT_EQ(dir.Read("a.dbc"), "new a");
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.dbc")));
}

}  // namespace
}  // namespace kelvane::testing

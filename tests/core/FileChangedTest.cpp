#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/files/FileChangedError.h"
#include "core/files/FileIo.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

namespace fs = std::filesystem;

class FileChangedTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("Spell.dbc");
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();

    FileChangedTest() {
        dir.Write("Spell.dbc", SpellSample().Bytes());
        OpenDbcTable(*work, path);
        work->Table.Delete();  // this program's change: two records left
    }
};

TEST_F(FileChangedTest, AFileChangedSinceLoadingIsNotOverwritten) {
    struct Change {
        const char* Name;
        void (*Make)(const std::string& path);
    };
    const Change changes[] = {
        {"replaced", [](const std::string& file) { WriteFileAtomically(file, "theirs"); }},
        {"rewritten in place",
         [](const std::string& file) { std::ofstream(file, std::ios::app) << "more"; }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.Name);
        OpenDbcTable(*work, path);
        change.Make(path);
        const std::string theirs = dir.Read("Spell.dbc");
        for (const std::string& spelling : {path, dir.Path() + "/./Spell.dbc"}) {
            try {
                SaveDbcFile(*work, spelling);
                FAIL() << "the other program's save was overwritten";
            } catch (const FileChangedError& error) {
                EXPECT_EQ(std::string(error.what()),
                          "\"" + spelling +
                              "\" changed on disk after it was loaded: another program, or "
                              "another Kelvane, saved it since. Nothing was saved; the newer "
                              "file was left as it is.");
            }
        }
        EXPECT_EQ(dir.Read("Spell.dbc"), theirs);
        dir.Write("Spell.dbc", SpellSample().Bytes());
    }
}

TEST_F(FileChangedTest, ALinkToTheLoadedFileLeadsToTheSameCheck) {
    fs::create_symlink(path, dir.File("Link.dbc"));
    WriteFileAtomically(path, "theirs");
    EXPECT_THROW(SaveDbcFile(*work, dir.File("Link.dbc")), FileChangedError);
}

TEST_F(FileChangedTest, OwnSavesAndSavesUnderOtherNamesGoThrough) {
    SaveDbcFile(*work, path);
    work->Table.Delete();
    SaveDbcFile(*work, path);  // compares with its own save, not with the load
    SaveDbcFile(*work, dir.File("Copy.dbc"));
    dir.Write("Other.dbc", "someone else's");
    SaveDbcFile(*work, dir.File("Other.dbc"));  // a new name has nothing to compare
    SaveDbcFile(*work, dir.File("Other.dbc"));
    OpenDbcTable(*work, dir.File("Other.dbc"));
    EXPECT_EQ(work->Table.RecordCount(), 1);
}

TEST_F(FileChangedTest, AFileRemovedSinceLoadingIsWrittenAgain) {
    fs::remove(path);
    SaveDbcFile(*work, path);
    OpenDbcTable(*work, path);
    EXPECT_EQ(work->Table.RecordCount(), 2);
}

// Two programs loaded the same file: the first to save wins, the second is told.
TEST_F(FileChangedTest, TheSecondOfTwoSavesOfOneLoadIsRefused) {
    const auto other = std::make_unique<Workspace>();
    OpenDbcTable(*other, path);
    other->Table.Last();
    other->Table.Delete();
    SaveDbcFile(*other, path);
    EXPECT_THROW(SaveDbcFile(*work, path), FileChangedError);
    OpenDbcTable(*work, path);
    EXPECT_EQ(work->Table.RecordCount(), 2);
}

}  // namespace
}  // namespace kelvane::testing

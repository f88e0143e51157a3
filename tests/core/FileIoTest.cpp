#include "core/files/FileIo.h"

#include <filesystem>

#include "core/files/AtomicFileWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/base/KelvaneError.h"
#include "core/files/TablePaths.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::TempDir;

TEST(TablePaths, NamesAndFolders) {
    EXPECT_EQ(TableNameFromPath("/data/dbc/Spell.dbc"), "Spell");
    EXPECT_EQ(TableNameFromPath("Item.sparse.dbc"), "Item");
    EXPECT_EQ(TableNameFromPath("/data/Spell"), "Spell");
    EXPECT_EQ(TableNameFromPath("/data/dbc/"), "");
    EXPECT_EQ(FolderOfPath("/data/dbc/Spell.dbc"), "/data/dbc");
    EXPECT_EQ(FolderOfPath("Spell.dbc"), "");
    EXPECT_EQ(FolderOfPath("/Spell.dbc"), "/");
    EXPECT_EQ(JoinPath("", "Spell.ini"), "Spell.ini");
    EXPECT_EQ(JoinPath("/", "Spell.ini"), "/Spell.ini");
    EXPECT_EQ(JoinPath("/data", "Spell.ini"), "/data/Spell.ini");
}

TEST(FileIo, AtomicWriteReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    dir.Write("table.dbc", "old");
    ::chmod(dir.File("table.dbc").c_str(), 0640);
    WriteFileAtomically(dir.File("table.dbc"), std::string("new\0bytes", 9));
    EXPECT_EQ(ReadWholeFile(dir.File("table.dbc"), NamedBy::User), std::string("new\0bytes", 9));
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("table.dbc").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(FileIo, PiecesReplaceTheTargetOnlyOnCommit) {
    TempDir dir;
    dir.Write("table.dbc", "old");
    {
        AtomicFileWriter file(dir.File("table.dbc"));
        file.Append("xxxx body");
        file.WriteAt(0, "head");
        EXPECT_EQ(dir.Read("table.dbc"), "old");
        file.Commit();
    }
    EXPECT_EQ(dir.Read("table.dbc"), "head body");
    {
        AtomicFileWriter abandoned(dir.File("table.dbc"));
        abandoned.Append("half a file");
    }
    EXPECT_EQ(dir.Read("table.dbc"), "head body");
    // Nothing of the abandoned write is left beside the target.
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST(FileIo, FailuresNameTheFile) {
    TempDir dir;
    const std::string missingFolder = dir.File("missing/table.dbc");
    try {
        WriteFileAtomically(missingFolder, "bytes");
        FAIL();
    } catch (const KelvaneError& error) {
        EXPECT_EQ(
            std::string(error.what()).rfind("Cannot create file \"" + missingFolder + "\". ", 0),
            0u)
            << error.what();
    }
    try {
        ReadWholeFile(dir.File("none.dbc"), NamedBy::User);
        FAIL();
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + dir.File("none.dbc") + "\". No such file or directory");
    }
    EXPECT_THROW(ReadWholeFile(dir.Path(), NamedBy::User), KelvaneError);
}

}  // namespace
}  // namespace kelvane

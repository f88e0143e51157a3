#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/AtomicFileBatch.h"
#include "core/files/FileIo.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

namespace fs = std::filesystem;

// Every way a file is saved meets its target the same way.
const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> kSaves = {
    {"single file", [](const std::string& path) { WriteFileAtomically(path, "new"); }},
    {"batch",
     [](const std::string& path) {
         AtomicFileBatch batch;
         batch.Add(path, "new");
         batch.Commit();
     }},
};

struct TargetCase {
    const char* Name;
    // Prepares the folder; the save goes to "t.dbc".
    std::function<void(const TempDir&)> Prepare;
    // Where the new content lands, relative to the folder; "" when the save is refused.
    const char* Written;
    // Part of the refusal's message.
    const char* Refusal;
};

void Link(const TempDir& dir, const char* target) {
    fs::create_symlink(target, dir.File("t.dbc"));
}

const TargetCase kTargets[] = {
    {"regular file", [](const TempDir& dir) { dir.Write("t.dbc", "old"); }, "t.dbc", ""},
    {"missing file", [](const TempDir&) {}, "t.dbc", ""},
    {"symbolic link",
     [](const TempDir& dir) {
         fs::create_directory(dir.File("real"));
         dir.Write("real/table.dbc", "old");
         Link(dir, "real/table.dbc");
     },
     "real/table.dbc", ""},
    {"dangling symbolic link", [](const TempDir& dir) { Link(dir, "created.dbc"); }, "created.dbc",
     ""},
    {"link to a link",
     [](const TempDir& dir) {
         dir.Write("table.dbc", "old");
         fs::create_symlink("table.dbc", dir.File("middle.dbc"));
         Link(dir, "middle.dbc");
     },
     "table.dbc", ""},
    {"hard link",
     [](const TempDir& dir) {
         dir.Write("t.dbc", "old");
         fs::create_hard_link(dir.File("t.dbc"), dir.File("other.dbc"));
     },
     "", "\" has 2 names (hard links)"},
    // The mode bits decide for the superuser too, whom the system lets write anything.
    {"read-only file",
     [](const TempDir& dir) {
         dir.Write("t.dbc", "old");
         ::chmod(dir.File("t.dbc").c_str(), 0444);
     },
     "", "t.dbc\" is read-only. Nothing was saved."},
    {"link to a read-only file",
     [](const TempDir& dir) {
         dir.Write("table.dbc", "old");
         ::chmod(dir.File("table.dbc").c_str(), 0444);
         Link(dir, "table.dbc");
     },
     "", "t.dbc\" (a link to \""},
    {"folder", [](const TempDir& dir) { fs::create_directory(dir.File("t.dbc")); }, "",
     "t.dbc\" is a folder, not a file. Nothing was saved."},
    {"named pipe", [](const TempDir& dir) { ::mkfifo(dir.File("t.dbc").c_str(), 0644); }, "",
     "t.dbc\" is a named pipe, not a file. Nothing was saved."},
    {"link to a device", [](const TempDir& dir) { Link(dir, "/dev/null"); }, "",
     "is a device, not a file. Nothing was saved."},
    {"link loop", [](const TempDir& dir) { Link(dir, "t.dbc"); }, "",
     "Too many levels of symbolic links"},
};

// The names in the folder and in its subfolders, without following links.
std::vector<std::string> Entries(const fs::path& folder, const fs::path& prefix = {}) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const fs::path name = prefix / entry.path().filename();
        names.push_back(name.string());
        if (fs::is_directory(fs::symlink_status(entry.path()))) {
            const std::vector<std::string> inner = Entries(entry.path(), name);
            names.insert(names.end(), inner.begin(), inner.end());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveTarget, EachKindOfTargetIsSavedOrRefusedAndNothingIsLeftBeside) {
    for (const auto& [saveName, save] : kSaves) {
        for (const TargetCase& target : kTargets) {
            SCOPED_TRACE(std::string(saveName) + ", " + target.Name);
            TempDir dir;
            target.Prepare(dir);
            const bool wasLink = fs::is_symlink(fs::symlink_status(dir.File("t.dbc")));
            const std::vector<std::string> before = Entries(dir.Path());
            std::string refusal;
            try {
                save(dir.File("t.dbc"));
            } catch (const KelvaneError& error) {
                refusal = error.what();
            }

            if (*target.Written != '\0') {
                EXPECT_EQ(refusal, "");
                EXPECT_EQ(dir.Read(target.Written), "new");
            } else {
                EXPECT_NE(refusal.find(target.Refusal), std::string::npos) << refusal;
                EXPECT_EQ(Entries(dir.Path()), before);
            }
            EXPECT_EQ(fs::is_symlink(fs::symlink_status(dir.File("t.dbc"))), wasLink);
            for (const std::string& name : Entries(dir.Path())) {
                EXPECT_FALSE(name.starts_with(".kelvane-")) << name;
            }
        }
    }
}

TEST(SaveTarget, ARefusedFileKeepsItsContent) {
    TempDir dir;
    dir.Write("t.dbc", "old");
    ::chmod(dir.File("t.dbc").c_str(), 0444);
    EXPECT_THROW(WriteFileAtomically(dir.File("t.dbc"), "new"), KelvaneError);
    EXPECT_EQ(dir.Read("t.dbc"), "old");
    fs::create_hard_link(dir.File("t.dbc"), dir.File("u.dbc"));
    ::chmod(dir.File("t.dbc").c_str(), 0644);
    EXPECT_THROW(WriteFileAtomically(dir.File("u.dbc"), "new"), KelvaneError);
    EXPECT_EQ(dir.Read("t.dbc"), "old");
}

TEST(SaveTarget, PermissionsOwnerGroupAndExtendedAttributesAreKept) {
    TempDir dir;
    dir.Write("t.dbc", "old");
    const std::string path = dir.File("t.dbc");
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    }
    const bool attributes = ::setxattr(path.c_str(), "user.kelvane", "kept", 4, 0) == 0;

    WriteFileAtomically(path, "new");

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 8765u);
    }
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(path.c_str(), "user.kelvane", value, sizeof value), 4);
        EXPECT_EQ(std::string(value), "kept");
    }
    if (!root || !attributes) {
        GTEST_SKIP() << "only the permissions were checked: changing the owner needs the "
                        "superuser, and the temporary folder's file system "
                     << (attributes ? "took" : "refused") << " user extended attributes";
    }
}

// Any name the file system takes can be saved: the temporary name does not grow with it.
TEST(SaveTarget, NamesOf247To255BytesAreSavedAndLoaded) {
    TempDir dir;
    for (size_t length = 247; length <= 255; ++length) {
        SCOPED_TRACE(length);
        const std::string path = dir.File(std::string(length - 4, 'n') + ".dbc");
        WriteFileAtomically(path, SpellSample().Bytes());
        const auto work = std::make_unique<Workspace>();
        OpenDbcTable(*work, path);
        work->Table.Delete();
        SaveDbcFile(*work, path);
        OpenDbcTable(*work, path);
        EXPECT_EQ(work->Table.RecordCount(), 2);
        fs::remove(path);
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

}  // namespace
}  // namespace kelvane::testing

#include "core/files/InputFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <thread>

#include "core/base/KelvaneError.h"
#include "core/files/CurrentTable.h"
#include "core/files/FileByteSource.h"
#include "core/files/FileIo.h"
#include "core/files/TextFile.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::MessageOf;
using testing::TempDir;

// A read that waits for ever kills the test program after a while instead of hanging the run.
class HangGuard {
  public:
    HangGuard() { ::alarm(30); }
    ~HangGuard() { ::alarm(0); }
};

// An anonymous pipe holding bytes and closed for writing, named as the shell names `<(...)`.
class FilledPipe {
  public:
    explicit FilledPipe(const std::string& bytes) {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        read_ = ends[0];
        EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(ends[1]);
    }
    ~FilledPipe() { ::close(read_); }
    std::string Path() const { return "/dev/fd/" + std::to_string(read_); }

  private:
    int read_ = -1;
};

TEST(InputFile, StreamsTheUserNamedAreReadToTheirEnd) {
    HangGuard guard;
    TempDir dir;
    const std::string bytes = std::string("first\0second\r\nthird", 19);
    dir.Write("file.txt", bytes);
    ASSERT_EQ(::mkfifo(dir.File("later.fifo").c_str(), 0600), 0);
    // The writer opens the named pipe only after the reader has looked and found nothing.
    std::thread writer([&] {
        ::usleep(200'000);
        const int fd = ::open(dir.File("later.fifo").c_str(), O_WRONLY);
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    });
    FilledPipe pipe(bytes);
    const struct {
        std::string Path;
        bool Stream;
        std::string Bytes;
    } cases[] = {
        {dir.File("file.txt"), false, bytes},
        {pipe.Path(), true, bytes},
        {dir.File("later.fifo"), true, bytes},
        {"/dev/null", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        InputFile file(c.Path, NamedBy::User);
        EXPECT_EQ(file.IsStream(), c.Stream);
        EXPECT_EQ(ReadRest(file), c.Bytes);
    }
    writer.join();
}

TEST(InputFile, WhatCannotBeReadIsRefusedNamingTheFile) {
    HangGuard guard;
    TempDir dir;
    dir.Write("file.txt", "text");
    ASSERT_EQ(::mkfifo(dir.File("side.fifo").c_str(), 0600), 0);
    FilledPipe pipe("bytes");
    const struct {
        std::string Path;
        NamedBy By;
        std::string Message;
    } cases[] = {
        {dir.Path(), NamedBy::User, "Cannot open file \"" + dir.Path() + "\". Is a directory"},
        {dir.Path(), NamedBy::Program, "Cannot open file \"" + dir.Path() + "\". Is a directory"},
        {dir.File("none"), NamedBy::User,
         "Cannot open file \"" + dir.File("none") + "\". No such file or directory"},
        // Refused without waiting for a writer that never comes.
        {dir.File("side.fifo"), NamedBy::Program,
         "Cannot open file \"" + dir.File("side.fifo") +
             "\". It is a named pipe, not a regular file."},
        {pipe.Path(), NamedBy::Program,
         "Cannot open file \"" + pipe.Path() + "\". It is a named pipe, not a regular file."},
        {"/dev/zero", NamedBy::Program,
         "Cannot open file \"/dev/zero\". It is a device, not a regular file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(MessageOf([&] { ReadWholeFile(c.Path, c.By); }), c.Message);
    }
}

TEST(InputFile, AStreamLongerThanTheMemoryAllowsFailsNamingIt) {
    HangGuard guard;
    InputFile zeros("/dev/zero", NamedBy::User);
    EXPECT_EQ(MessageOf([&] { ReadRest(zeros, 1 << 20); }),
              "Cannot load \"/dev/zero\": the file is too large for the memory available.");
}

TEST(InputFile, AStreamIsReadByPositionOnceInMemory) {
    HangGuard guard;
    FilledPipe pipe("0123456789");
    FileByteSource source(pipe.Path());
    EXPECT_EQ(source.Size(), 10u);
    EXPECT_EQ(source.Read(6, 4), "6789");
    EXPECT_EQ(source.Read(0, 3), "012");
}

// The files a load finds beside the table are read only when they are regular files: a named
// pipe or a device there fails the load with its name instead of waiting for ever.
TEST(InputFile, SideFilesThatAreNoRegularFilesFailTheirReadersWithoutWaiting) {
    HangGuard guard;
    const struct {
        const char* Name;
        const char* Make;  // "fifo" or the device to link to
        const char* What;
    } cases[] = {
        {"Spell.ini", "fifo", "a named pipe"},
        {"Spell.ini", "/dev/zero", "a device"},
        {"factions.txt", "fifo", "a named pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " " + c.Make);
        TempDir dir;
        dir.Write("Spell.dbc", testing::SpellSample().Bytes());
        const std::string side = dir.File(c.Name);
        ASSERT_EQ(std::string(c.Make) == "fifo" ? ::mkfifo(side.c_str(), 0600)
                                                : ::symlink(c.Make, side.c_str()),
                  0);
        const std::string message =
            "Cannot open file \"" + side + "\". It is " + c.What + ", not a regular file.";
        if (std::string(c.Name) == "Spell.ini") {
            const auto work = std::make_unique<Workspace>();
            EXPECT_EQ(MessageOf([&] { OpenDbcTable(*work, dir.File("Spell.dbc")); }), message);
            EXPECT_FALSE(work->Table.Active());
        } else {
            EXPECT_EQ(MessageOf([&] { ReadTextLines(side, NamedBy::Program); }), message);
        }
    }
}

}  // namespace
}  // namespace kelvane

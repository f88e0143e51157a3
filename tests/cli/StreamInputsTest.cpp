#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

std::string Quoted(const std::string& text) {
    return QuotedForShell(text, CommandShell::Posix);
}

// Inputs handed over as a shell hands them: through a pipe as /dev/stdin, as the `<(...)` of
// process substitution, and through a named pipe whose writer comes along later.
struct Feed {
    const char* Name;
    const char* Before;  // runs first; SRC stands for the file fed
    const char* Path;    // the input's path on the command line
};

constexpr Feed kFeeds[] = {
    {"pipe", "cat SRC | ", "/dev/stdin"},
    {"process substitution", "", "<(cat SRC)"},
    // The writer gives up after a while and holds no output open, so that a reader that never
    // comes fails the test instead of hanging it.
    {"named pipe",
     "mkfifo in.fifo; { sleep 0.2; timeout 20 sh -c 'cat SRC > in.fifo'; } >/dev/null 2>&1 & ",
     "in.fifo"},
};

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

class StreamInputsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Keys 7 and 9 with a count each, and no texts: it fits whatever definitions it gets.
        DbcBytes table;
        table.Header(2, 2, 8, 1).Int(7).Int(70).Int(9).Int(90).Raw(std::string(1, '\0'));
        dir_.Write("T.dbc", table.Bytes());
        WriteFieldDefs(dir_.File("T.dbc"), {{"Id"}, {"Count"}});
        dir_.Write("rows.csv", "7,71\n");
        dir_.Write("patch.txt", "7:1=72\r\n");
        dir_.Write("items.scp", "[item 11]\r\nCount=5\r\n");
        dir_.Write("T2.dbc", table.Bytes());
        ASSERT_EQ(RunScript("$CLI export-sqlite T.dbc T.db").ExitCode, 0);
    }

    // Runs the script with bash in the test's folder, CLI standing for kelvane-cli under a
    // timeout: a run that waits for ever fails the test instead of hanging it.
    CliResult RunScript(const std::string& script) const {
        const std::string command =
            "cd " + Quoted(dir_.Path()) + " && XDG_CONFIG_HOME=" + Quoted(dir_.File("config")) +
            " CLI=" + Quoted("timeout 20 " + std::string(KELVANE_CLI_PATH)) + " bash -c " +
            Quoted(script) + " 2>" + Quoted(dir_.File("stderr.txt"));
        return RunShellCommand(command, dir_);
    }

    TempDir dir_;
};

// Every input a command reads, fed each way: the command reads it whole, as it reads a file.
TEST_F(StreamInputsTest, EveryInputKindIsReadFromPipesAndProcessSubstitution) {
    const struct {
        const char* Kind;
        const char* Source;
        const char* Command;  // IN stands for the input's path
        const char* Output;   // what stdout must hold
    } cases[] = {
        {"CSV", "rows.csv", "$CLI import-csv T.dbc IN out.dbc",
         "Read 1 records: changed 1, added 0, unchanged 0"},
        {"patch", "patch.txt", "$CLI apply-patch T.dbc IN out.dbc", "Applied 1 lines"},
        {"script", "items.scp", "$CLI import scp T.dbc IN out.dbc", "Appended 1 records"},
        {"database", "T.db", "$CLI import-sqlite T.dbc IN out.dbc", "Read 2 rows"},
        {"table for info", "T.dbc", "$CLI info IN", "Records:       2"},
        {"table for export-csv", "T.dbc", "$CLI export-csv IN out.csv && cat out.csv",
         "7,70\r\n9,90\r\n"},
        {"table for resave", "T.dbc", "$CLI resave IN out.dbc && cmp out.dbc T.dbc && echo same",
         "same"},
        {"older table for diff", "T.dbc", "$CLI diff IN T2.dbc d.txt", "0 changed"},
        {"table for export-sqlite", "T.dbc", "$CLI export-sqlite IN out.db", "Wrote 2 records"},
    };
    for (const auto& c : cases) {
        for (const Feed& feed : kFeeds) {
            SCOPED_TRACE(std::string(c.Kind) + " through a " + feed.Name);
            std::string command = c.Command;
            command.replace(command.rfind("IN"), 2, feed.Path);
            const std::string script =
                ReplaceAll("rm -f in.fifo; " + std::string(feed.Before) + command, "SRC", c.Source);
            const CliResult result = RunScript(script);
            EXPECT_EQ(result.ExitCode, 0) << script << "\n" << result.Err;
            EXPECT_NE(result.Out.find(c.Output), std::string::npos) << result.Out;
        }
    }
}

// A side file the program finds by itself is never waited on: a named pipe or a device in its
// place is refused, naming it, and nothing is written.
TEST_F(StreamInputsTest, ANamedPipeOrDeviceForTheTablesIniIsRefusedWithoutWaiting) {
    const struct {
        const char* Make;
        const char* What;
    } sides[] = {
        {"rm T.ini && mkfifo T.ini", "a named pipe"},
        {"rm T.ini && ln -s /dev/zero T.ini", "a device"},
    };
    const char* commands[] = {
        "$CLI info T.dbc",
        "$CLI export-csv T.dbc out.csv",
        "$CLI defs T.dbc --guess --write --force",
        "$CLI import-csv T.dbc rows.csv out.dbc",
    };
    for (const auto& side : sides) {
        for (const char* command : commands) {
            SCOPED_TRACE(std::string(side.What) + ": " + command);
            std::filesystem::remove(dir_.File("T.ini"));
            SetUp();
            const CliResult result = RunScript(std::string(side.Make) + " && " + command);
            EXPECT_EQ(result.ExitCode, 1) << result.Err;
            EXPECT_NE(result.Err.find("Cannot open file \"T.ini\". It is " +
                                      std::string(side.What) + ", not a regular file."),
                      std::string::npos)
                << result.Err;
            EXPECT_FALSE(std::filesystem::exists(dir_.File("out.csv")));
            EXPECT_FALSE(std::filesystem::exists(dir_.File("out.dbc")));
        }
    }
}

TEST_F(StreamInputsTest, InputsThatAreNoFileNorStreamAreRefusedNamingThem) {
    const struct {
        const char* Command;
        const char* Message;
    } cases[] = {
        {"mkdir -p folder.csv && $CLI import-csv T.dbc folder.csv out.dbc",
         "Cannot open file \"folder.csv\". Is a directory"},
        {"mkdir -p folder.db && $CLI import-sqlite T.dbc folder.db out.dbc",
         "Cannot open file \"folder.db\". Is a directory"},
        {"$CLI import-csv T.dbc missing.csv out.dbc",
         "Cannot open file \"missing.csv\". No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        const CliResult result = RunScript(c.Command);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
        EXPECT_FALSE(std::filesystem::exists(dir_.File("out.dbc")));
    }
}

}  // namespace
}  // namespace kelvane::testing

#include "launcher/ConverterCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/base/KelvaneError.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

TEST(ConverterCommand, EveryArgumentIsQuotedTheEmptyOneToo) {
    EXPECT_EQ(ConverterCommandLine("a.blp", "b.tga", CommandShell::Posix),
              "blpconverter 'a.blp' 'b.tga'");
    EXPECT_EQ(ConverterCommandLine("", "", CommandShell::Posix), "blpconverter '' ''");
    EXPECT_EQ(ConverterCommandLine("C:\\in\\a.blp", "", CommandShell::WindowsCmd),
              "blpconverter \"C:\\in\\a.blp\" \"\"");
    EXPECT_EQ(ConverterCommandLine("-o", "-", CommandShell::WindowsCmd),
              "blpconverter \".\\-o\" \".\\-\"");
}

TEST(ConverterCommand, EachInterpreterGetsItsOwnQuoting) {
    struct Case {
        const char* Typed;
        const char* Posix;
        const char* Cmd;
    };
    const Case cases[] = {
        {"My Icons/a.blp", "'My Icons/a.blp'", "\"My Icons/a.blp\""},
        {"a.blp; rm -rf ~", "'a.blp; rm -rf ~'", "\"a.blp; rm -rf ~\""},
        {"it's.blp", "'it'\\''s.blp'", "\"it's.blp\""},
        {"%PATH%.blp", "'%PATH%.blp'", "\"%%PATH%%.blp\""},
        {"a & calc", "'a & calc'", "\"a & calc\""},
        {"", "''", "\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuotedForShell(c.Typed, CommandShell::Posix), c.Posix) << c.Typed;
        EXPECT_EQ(QuotedForShell(c.Typed, CommandShell::WindowsCmd), c.Cmd) << c.Typed;
    }
    EXPECT_THROW(QuotedForShell("a\"b", CommandShell::WindowsCmd), KelvaneError);
}

// A pasted line break would put a second command into the command file.
TEST(ConverterCommand, PathsWithLineBreaksAreRefused) {
    for (const CommandShell shell : {CommandShell::Posix, CommandShell::WindowsCmd}) {
        for (const char* path : {"a.blp\r\ndel *.*", "a\nb", "a\r"}) {
            try {
                ConverterCommandLine("in.blp", path, shell);
                FAIL() << "accepted " << path;
            } catch (const KelvaneError& error) {
                EXPECT_EQ(std::string(error.what()),
                          "The destination file name holds a line break, which cannot be part of "
                          "the converter's one-line command. Nothing was run.");
            }
        }
        EXPECT_THROW(ConverterCommandLine("a\nb", "out.tga", shell), KelvaneError);
    }
}

// The POSIX shell runs the command file; a stand-in converter on the search path writes down
// the arguments it receives, one per line between brackets.
TEST(ConverterCommand, TheConverterReceivesEachPathAsOneArgumentNeverAsAnOption) {
    TempDir dir;
    dir.Write("blpconverter", "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n");
    std::filesystem::permissions(dir.File("blpconverter"), std::filesystem::perms::owner_all);
    struct Case {
        const char* Source;
        const char* Destination;
        const char* Received;
    };
    const Case cases[] = {
        {"a.blp", "b.tga", "[a.blp]\n[b.tga]\n"},
        {"", "b.tga", "[]\n[b.tga]\n"},
        {"", "", "[]\n[]\n"},
        {"-o", "--help", "[./-o]\n[./--help]\n"},
        {"-", "-x y", "[./-]\n[./-x y]\n"},
        {"My Icons/a.blp", "out dir/b.tga", "[My Icons/a.blp]\n[out dir/b.tga]\n"},
        {"a.blp; touch pwned", "$(touch pwned)", "[a.blp; touch pwned]\n[$(touch pwned)]\n"},
        {"`touch pwned`", "it's", "[`touch pwned`]\n[it's]\n"},
        {"a\"b", "*", "[a\"b]\n[*]\n"},
        {"~", "tab\there", "[~]\n[tab\there]\n"},
        {"/abs/-x", "x-", "[/abs/-x]\n[x-]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Source) + " | " + c.Destination);
        WriteConverterCommandFile(
            dir.File("convert.sh"),
            ConverterCommandLine(c.Source, c.Destination, CommandShell::Posix),
            CommandShell::Posix);
        const std::string command =
            "cd '" + dir.Path() + "' && PATH=\"$PWD:$PATH\" /bin/sh " + "convert.sh > received.txt";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(dir.Read("received.txt"), c.Received);
        EXPECT_FALSE(std::filesystem::exists(dir.File("pwned")));
    }
}

TEST(ConverterCommand, TheCommandFileHoldsOneLine) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("extra"));
    const std::string posixPath = ConverterCommandFile(dir.Path(), CommandShell::Posix);
    EXPECT_EQ(posixPath, dir.Path() + "/extra/convert.sh");
    WriteConverterCommandFile(posixPath, "blpconverter a b", CommandShell::Posix);
    WriteConverterCommandFile(posixPath, "blpconverter c d", CommandShell::Posix);
    EXPECT_EQ(dir.Read("extra/convert.sh"), "blpconverter c d\n");

    EXPECT_EQ(ConverterCommandFile("C:\\Kelvane", CommandShell::WindowsCmd),
              "C:\\Kelvane\\extra\\convert.bat");
    WriteConverterCommandFile(dir.File("extra/convert.bat"), "blpconverter a b",
                              CommandShell::WindowsCmd);
    EXPECT_EQ(dir.Read("extra/convert.bat"), "blpconverter a b\r\n");
}

TEST(ConverterCommand, AMissingExtraFolderFailsNamingThePath) {
    TempDir dir;
    const std::string path = ConverterCommandFile(dir.Path(), CommandShell::Posix);
    try {
        WriteConverterCommandFile(path, "blpconverter a b", CommandShell::Posix);
        FAIL() << "expected a failure";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot create file \"" + path + "\""),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane::testing

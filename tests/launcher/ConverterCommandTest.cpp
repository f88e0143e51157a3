#include "launcher/ConverterCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/KelvaneError.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

TEST(ConverterCommand, PlainTextsAreWrittenAsTyped) {
    for (const CommandShell shell : {CommandShell::Posix, CommandShell::WindowsCmd}) {
        EXPECT_EQ(ConverterCommandLine("a.blp", "b.tga", shell), "blpconverter a.blp b.tga");
        EXPECT_EQ(ConverterCommandLine("", "", shell), "blpconverter  ");
        EXPECT_EQ(ConverterCommandLine("Textures/Icons/A_1-2.blp", "C:/out+x@2.tga", shell),
                  "blpconverter Textures/Icons/A_1-2.blp C:/out+x@2.tga");
    }
    EXPECT_EQ(ConverterCommandLine("C:\\in\\a.blp", "b.tga", CommandShell::WindowsCmd),
              "blpconverter C:\\in\\a.blp b.tga");
}

TEST(ConverterCommand, TextsWithBlanksOrSpecialCharactersAreQuoted) {
    struct Case {
        const char* Typed;
        const char* Posix;
        const char* Cmd;
    };
    const Case cases[] = {
        {"My Icons/a.blp", "'My Icons/a.blp'", "\"My Icons/a.blp\""},
        {"a.blp; rm -rf ~", "'a.blp; rm -rf ~'", "\"a.blp; rm -rf ~\""},
        {"$(reboot)", "'$(reboot)'", "\"$(reboot)\""},
        {"`id`", "'`id`'", "\"`id`\""},
        {"a & calc", "'a & calc'", "\"a & calc\""},
        {"a|b>c<d", "'a|b>c<d'", "\"a|b>c<d\""},
        {"it's.blp", "'it'\\''s.blp'", "\"it's.blp\""},
        {"%PATH%.blp", "'%PATH%.blp'", "\"%%PATH%%.blp\""},
        {"a,b", "a,b", "\"a,b\""},
        {"line\nbreak", "'line\nbreak'", "\"line\nbreak\""},
        {"C:\\x", "'C:\\x'", "C:\\x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuotedForShell(c.Typed, CommandShell::Posix), c.Posix) << c.Typed;
        EXPECT_EQ(QuotedForShell(c.Typed, CommandShell::WindowsCmd), c.Cmd) << c.Typed;
    }
    EXPECT_THROW(QuotedForShell("a\"b", CommandShell::WindowsCmd), KelvaneError);
    EXPECT_EQ(QuotedForShell("a\"b", CommandShell::Posix), "'a\"b'");
}

// The POSIX shell itself reads each quoted text back as exactly one argument.
TEST(ConverterCommand, TheShellReadsEveryQuotedTextAsOneArgument) {
    TempDir dir;
    for (const std::string typed : {"My Icons/a.blp", "a.blp; touch pwned", "$(touch pwned)",
                                    "it's", "`touch pwned`", "a\"b", "*", "~", "tab\there"}) {
        const std::string script = "printf '%s|' " + QuotedForShell(typed, CommandShell::Posix);
        WriteConverterCommandFile(dir.File("convert.sh"), script, CommandShell::Posix);
        const std::string command = "cd '" + dir.Path() + "' && /bin/sh convert.sh > out.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << typed;
        EXPECT_EQ(dir.Read("out.txt"), typed + "|") << typed;
        EXPECT_FALSE(std::filesystem::exists(dir.File("pwned"))) << typed;
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

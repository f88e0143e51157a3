#include "core/files/IniFile.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "tests/support/CrlfText.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CrlfText;
using testing::TempDir;

struct ReadCase {
    const char* Label;
    std::string Text;
    std::string Section;
    std::string Key;
    std::optional<std::string> Expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.Label;
}

class IniFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniFileRead, FindsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniFile::Parse(c.Text).Read(c.Section, c.Key), c.Expected);
}

const std::string kLong(3000, 'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileRead,
    ::testing::Values(
        ReadCase{"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"blanks around key and value", "[S]\n Field 0 = x \n", "S", "Field 0", "x"},
        ReadCase{"tabs are blanks too", "[S]\n\tk\t=\tv\t\n", "S", "k", "v"},
        ReadCase{"blanks inside brackets", "[ Field kind ]\nk=v", "Field kind", "k", "v"},
        ReadCase{"names without case", "[field KIND]\nFIELD 0=v", "Field kind", "Field 0", "v"},
        ReadCase{"value keeps later equals signs", "[S]\nk = a=b", "S", "k", "a=b"},
        ReadCase{"double quotes", "[S]\nk=\"  a b \"", "S", "k", "  a b "},
        ReadCase{"single quotes", "[S]\nk='x'", "S", "k", "x"},
        ReadCase{"only one pair of quotes", "[S]\nk=\"\"x\"\"", "S", "k", "\"x\""},
        ReadCase{"unmatched quotes stay", "[S]\nk=\"x'", "S", "k", "\"x'"},
        ReadCase{"a lone quote stays", "[S]\nk=\"", "S", "k", "\""},
        ReadCase{"empty quotes", "[S]\nk=\"\"", "S", "k", ""},
        ReadCase{"present but empty", "[S]\nk=", "S", "k", ""},
        ReadCase{"first duplicate wins", "[S]\nk=1\nK=2", "S", "k", "1"},
        ReadCase{"first section of a name counts", "[S]\nk=1\n[s]\nk=2\nj=3", "S", "j",
                 std::nullopt},
        ReadCase{"key of another section", "[A]\nk=1\n[B]\nj=2", "B", "k", std::nullopt},
        ReadCase{"key before any section", "k=1\n[S]\nj=2", "S", "k", std::nullopt},
        ReadCase{"other lines ignored", "; note\n[S]\njunk\n\nk=v", "S", "k", "v"},
        ReadCase{"bracket without close is no section", "[S\nk=v", "S", "k", std::nullopt},
        ReadCase{"missing section", "[S]\nk=v", "T", "k", std::nullopt},
        ReadCase{"CR line ends", "[S]\rj=1\rk=v\r", "S", "k", "v"},
        ReadCase{"LF line ends", "[S]\nj=1\nk=v\n", "S", "k", "v"},
        ReadCase{"CR LF line ends", "[S]\r\nj=1\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"mixed line ends, none at the end", "[S]\r\rj=1\n\r\nk=v", "S", "k", "v"},
        ReadCase{"long values are cut", "[S]\nk=" + kLong, "S", "k", std::string(2047, 'a')},
        ReadCase{"cut after the quotes go", "[S]\nk=\"" + kLong + "\"", "S", "k",
                 std::string(2047, 'a')},
        // "é" is two bytes in UTF-8: the cut keeps it whole rather than split it.
        ReadCase{"UTF-8 cut before a character", "[S]\nk=" + std::string(2046, 'a') + "\xC3\xA9",
                 "S", "k", std::string(2046, 'a')},
        ReadCase{"other bytes cut where they fall", "[S]\nk=" + std::string(2046, 'a') + "\xC3\xC3",
                 "S", "k", std::string(2046, 'a') + "\xC3"}));

TEST(IniFile, KeysOfTheFirstSectionInFileOrderWithDuplicates) {
    const IniFile ini = IniFile::Parse("[S]\nb=1\na=2\n=no key\n; note\nB=3\n[T]\nc=4\n[S]\nd=5\n");
    EXPECT_EQ(ini.Keys("s"), (std::vector<std::string>{"b", "a", "B"}));
    EXPECT_EQ(ini.Keys("T"), (std::vector<std::string>{"c"}));
    EXPECT_TRUE(ini.Keys("missing").empty());
}

TEST(IniFile, TextEndsEveryLineWithCrLf) {
    EXPECT_EQ(IniFile::Parse("").Text(), "");
    EXPECT_EQ(IniFile::Parse("a\rb\nc\r\nd").Text(), CrlfText({"a", "b", "c", "d"}));
    EXPECT_EQ(IniFile::Parse("a\r\n\r\n").Text(), CrlfText({"a", ""}));
}

TEST(IniFile, WriteReplacesTheFirstOccurrenceKeepingItsSpelling) {
    IniFile ini = IniFile::Parse(
        CrlfText({"; head", "[S]", " FIELD 0 = old ", "Field 0=dup", "[T]", "Field 0=t"}));
    ini.Write("s", "field 0", "new");
    EXPECT_EQ(ini.Text(),
              CrlfText({"; head", "[S]", "FIELD 0=new", "Field 0=dup", "[T]", "Field 0=t"}));
    EXPECT_EQ(ini.Read("S", "Field 0"), "new");
}

TEST(IniFile, WriteAddsMissingKeysAndSections) {
    IniFile ini = IniFile::Parse(CrlfText({"top=1", "[A]", "a=1", "", "[B]"}));
    ini.Write("A", "b", "2");
    ini.Write("B", "c", "3");
    ini.Write("C", "d", "4");
    EXPECT_EQ(ini.Text(), CrlfText({"top=1", "[A]", "a=1", "b=2", "", "[B]", "c=3", "[C]", "d=4"}));

    IniFile empty;
    empty.Write("Field kind", "Field 0", "ftInteger");
    EXPECT_EQ(empty.Text(), CrlfText({"[Field kind]", "Field 0=ftInteger"}));
}

TEST(IniFile, WriteRefusesControlCharactersAndLeavesTheTextAsItWas) {
    const struct {
        std::string Section;
        std::string Key;
        std::string Value;
        std::string Quoted;
    } cases[] = {
        {"S", "k", "a\r\nk=injected", "'a\\r\\nk=injected'"},
        {"S", "k", "a\n[Other]\nk=2", "'a\\n[Other]\\nk=2'"},
        {"S", "k", "ends in a tab\t", "'ends in a tab\\t'"},
        {"S", "k", "\x1b[2J", "'\\x1b[2J'"},
        {"S", "k", std::string(200, 'v') + "\n", "'" + std::string(80, 'v') + "...'"},
        {"S", "k\nother", "v", "'k\\nother'"},
        {"S]\n[T", "k", "v", "'S]\\n[T'"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::Parse(CrlfText({"[S]", "k=old"}));
        try {
            ini.Write(c.Section, c.Key, c.Value);
            ADD_FAILURE() << "wrote " << c.Quoted;
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()),
                      c.Quoted +
                          " holds a control character (a line break, a tab or the like), which a "
                          "line of an INI file cannot keep");
        }
        EXPECT_EQ(ini.Text(), CrlfText({"[S]", "k=old"}));
    }
    // Whatever else a value holds stands in its line and reads back.
    IniFile ini;
    const std::string value = "a=b; [c] # \"d\" '' \xC3\xA9 \xE9";
    ini.Write("S", "k", value);
    EXPECT_EQ(IniFile::Parse(ini.Text()).Read("S", "k"), value);
}

TEST(IniFile, KeysAddedAmongBlankLinesCanBeRewritten) {
    IniFile ini = IniFile::Parse(CrlfText({"[S]", "a=1", "", "", "[T]", "a=t"}));
    ini.Write("S", "b", "2");
    ini.Write("S", "c", "3");
    ini.Write("S", "A", "9");
    ini.Write("S", "b", "8");
    EXPECT_EQ(ini.Text(), CrlfText({"[S]", "a=9", "b=8", "c=3", "", "", "[T]", "a=t"}));
    EXPECT_EQ(ini.Read("S", "c"), "3");
    EXPECT_EQ(ini.Read("T", "a"), "t");
}

TEST(IniFile, RemoveSectionRemovesEverySectionOfThatNameWithItsLines) {
    IniFile ini = IniFile::Parse(
        CrlfText({"top", "[A]", "a=1", "[b]", "x=1", "; note", "", "[C]", "c=1", "[B]", "y=2"}));
    ini.RemoveSection("B");
    EXPECT_EQ(ini.Text(), CrlfText({"top", "[A]", "a=1", "[C]", "c=1"}));
    ini.RemoveSection("missing");
    EXPECT_EQ(ini.Text(), CrlfText({"top", "[A]", "a=1", "[C]", "c=1"}));
}

TEST(IniFile, LoadReadsAMissingFileAsEmpty) {
    TempDir dir;
    EXPECT_EQ(IniFile::Load(dir.File("none.ini"), NamedBy::Program).Text(), "");
    EXPECT_EQ(IniFile::Load(dir.File("no/folder.ini"), NamedBy::Program).Text(), "");
    EXPECT_THROW(IniFile::Load(dir.Path(), NamedBy::Program), KelvaneError);
}

TEST(IniFile, SaveWritesTheTextAndNamesThePathOnFailure) {
    TempDir dir;
    IniFile ini = IniFile::Parse("[S]\nk=v\n; kept");
    ini.Save(dir.File("a.ini"));
    EXPECT_EQ(dir.Read("a.ini"), CrlfText({"[S]", "k=v", "; kept"}));
    EXPECT_EQ(IniFile::Load(dir.File("a.ini"), NamedBy::Program).Read("S", "k"), "v");

    const std::string unwritable = dir.File("missing/a.ini");
    try {
        ini.Save(unwritable);
        FAIL() << "saved into a missing folder";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + unwritable);
    }
}

}  // namespace
}  // namespace kelvane

#include "core/definitions/DbdReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "tests/support/CrlfText.h"

namespace kelvane {
namespace {

using testing::CrlfText;

// A made-up table with every construct a DBC-era file uses.
const char* const MountDbd = R"(COLUMNS
int ID
string Model // path of the model file
locstring Name_lang
int<MountType::ID> TypeID
uint Flags
float Speed?
int Spells

LAYOUT 0A1B2C3D, 0a1b2c3e
BUILD 1.12.1.5875
BUILD 0.9.0.3807-1.11.2.5464, 1.12.0.5595
COMMENT the first layout
$id$ID<32>
Model
Name_lang
TypeID<u8> // 0 ground, 1 flying
Flags<16>
Speed
Spells<32>[4]

BUILD 3.3.5.12340
$noninline,id$ID<32>
Name_lang
)";

TEST(DbdReaderTest, ReadsColumnsAndEveryPartOfALayout) {
    DbdFile file = ReadDbdFile(MountDbd, "Mount.dbd");

    ASSERT_EQ(file.Columns.size(), 7u);
    EXPECT_EQ(file.ColumnComment(1), "path of the model file");
    EXPECT_EQ(file.Columns[2].Type, DbdColumnType::LocString);
    EXPECT_EQ(file.ForeignTable(3), "MountType");
    EXPECT_EQ(file.ForeignColumn(3), "ID");
    EXPECT_EQ(file.ForeignTable(4), "");
    EXPECT_EQ(file.Columns[4].Type, DbdColumnType::Uint);
    EXPECT_EQ(file.ColumnName(5), "Speed");
    EXPECT_FALSE(file.Columns[5].NameVerified);
    EXPECT_TRUE(file.Columns[4].NameVerified);

    ASSERT_EQ(file.Definitions.size(), 2u);
    const DbdDefinition& first = file.Definitions[0];
    EXPECT_EQ(first.LineNumber, 10);
    ASSERT_EQ(first.LayoutHashes.Count, 2u);
    EXPECT_EQ(file.LayoutHashes[first.LayoutHashes.First], 0x0A1B2C3Du);
    EXPECT_EQ(file.LayoutHashes[first.LayoutHashes.First + 1], 0x0A1B2C3Eu);
    ASSERT_EQ(first.Builds.Count, 3u);
    EXPECT_EQ(file.Builds[first.Builds.First + 1].Text(), "0.9.0.3807-1.11.2.5464");
    EXPECT_EQ(file.Builds[first.Builds.First + 2].Text(), "1.12.0.5595");
    ASSERT_EQ(first.Comments.Count, 1u);
    EXPECT_EQ(file.TextOf(file.LayoutComments[first.Comments.First]), "the first layout");
    ASSERT_EQ(first.Entries.Count, 7u);
    const auto entry = [&](const DbdDefinition& definition, uint32_t at) {
        return file.Entries[definition.Entries.First + at];
    };
    EXPECT_TRUE(entry(first, 0).IsKey());
    EXPECT_FALSE(entry(first, 0).NonInline());
    EXPECT_EQ(file.ColumnName(entry(first, 3).Column), "TypeID");
    EXPECT_EQ(entry(first, 3).Bits, 8);
    EXPECT_TRUE(entry(first, 3).Unsigned());
    EXPECT_EQ(file.EntryComment(first.Entries.First + 3), "0 ground, 1 flying");
    EXPECT_EQ(file.EntryComment(first.Entries.First + 4), "");
    EXPECT_EQ(entry(first, 4).Bits, 16);
    EXPECT_FALSE(entry(first, 4).Unsigned());
    EXPECT_EQ(entry(first, 6).ArraySize, 4);

    const DbdDefinition& second = file.Definitions[1];
    EXPECT_EQ(second.LineNumber, 22);
    EXPECT_TRUE(entry(second, 0).IsKey());
    EXPECT_TRUE(entry(second, 0).NonInline());
    EXPECT_FALSE(entry(second, 1).IsKey());
}

TEST(DbdReaderTest, ListedBuildsIncludeRangeEndsOnly) {
    DbdFile file = ReadDbdFile(MountDbd, "Mount.dbd");
    const DbdDefinition& first = file.Definitions[0];
    EXPECT_TRUE(file.ListsBuild(first, *ParseDbdBuild("1.12.1.5875")));
    EXPECT_TRUE(file.ListsBuild(first, *ParseDbdBuild("0.9.0.3807")));
    EXPECT_TRUE(file.ListsBuild(first, *ParseDbdBuild("1.10.2.5302")));
    EXPECT_TRUE(file.ListsBuild(first, *ParseDbdBuild("1.11.2.5464")));
    EXPECT_FALSE(file.ListsBuild(first, *ParseDbdBuild("1.11.2.5465")));
    EXPECT_FALSE(file.ListsBuild(first, *ParseDbdBuild("1.12.1.5876")));
}

TEST(DbdReaderTest, CrLfLineEndsAndExtraBlankLinesReadTheSame) {
    std::string crlf = CrlfText({"", "COLUMNS", "int ID  ", "string Name", "", "", "",
                                 "BUILD 1.12.1.5875", "$id$ID<32>", "Name", "", ""});
    DbdFile file = ReadDbdFile(crlf, "Crlf.dbd");
    ASSERT_EQ(file.Definitions.size(), 1u);
    ASSERT_EQ(file.Definitions[0].Entries.Count, 2u);
    EXPECT_EQ(file.ColumnName(file.Entries[file.Definitions[0].Entries.First + 1].Column), "Name");
    EXPECT_EQ(file.ColumnName(0), "ID");
}

TEST(DbdReaderTest, BuildNumbersParseAndCompareAsNumbers) {
    EXPECT_LT(*ParseDbdBuild("1.9.4.5086"), *ParseDbdBuild("1.12.1.5875"));
    EXPECT_LT(*ParseDbdBuild("3.3.5.12340"), *ParseDbdBuild("3.3.5.12341"));
    EXPECT_EQ(ParseDbdBuild("2.4.3.8606")->Era(), 2u);
    for (const char* bad : {"", "1.12.1", "1.12.1.5875.1", "1..1.5875", "1.12.1.x", "-1.12.1.5875",
                            "1.12.1.99999999999", " 1.12.1.5875"}) {
        EXPECT_FALSE(ParseDbdBuild(bad)) << bad;
    }
}

struct MalformedCase {
    const char* text;
    const char* expected;  // part of the message
};

TEST(DbdReaderTest, MalformedFilesNameTheFileLineAndFault) {
    const std::vector<MalformedCase> cases = {
        {"", "holds no COLUMNS block"},
        {"\r\n\r\n", "holds no COLUMNS block"},
        {"BUILD 1.12.1.5875\nID\n", "line 1: the file must start with a COLUMNS line"},
        {"COLUMNS\nint ID\n", "holds no layout"},
        {"COLUMNS\nbool ID\n\nBUILD 1.1.1.1\nID\n", "line 2: unknown column type \"bool\""},
        {"COLUMNS\nint<Map> MapID\n\nBUILD 1.1.1.1\nMapID\n", "line 2: a foreign key is written"},
        {"COLUMNS\nint<Map::ID MapID\n", "line 2: a '<' is not closed"},
        {"COLUMNS\nint\n", "line 2: a column needs a name"},
        {"COLUMNS\nint ID\nint ID\n", "line 3: the column ID is listed twice"},
        {"COLUMNS\nint ID extra\n", "line 2: unexpected \"extra\""},
        {"COLUMNS\nint ID\n\nID\n", "line 4: a layout starts with its BUILD or LAYOUT lines"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nName\n",
         "line 5: the field Name is not in the COLUMNS"},
        {"COLUMNS\nint ID\n\nBUILD 1.12.1\nID\n", "line 4: \"1.12.1\" is no build"},
        {"COLUMNS\nint ID\n\nBUILD 1.12.1.5875-1.2.0.1\nID\n", "ends before it starts"},
        {"COLUMNS\nint ID\n\nLAYOUT 12345\nID\n", "\"12345\" is no layout hash"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\n", "line 4: the layout lists no fields"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID<24>\n", "\"<24>\" is no integer width"},
        {"COLUMNS\nfloat X\n\nBUILD 1.1.1.1\nX<8>\n", "the field X is no integer and takes no"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID[0]\n", "array size \"0\" is not a number from 1"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID[4294967297]\n", "array size \"4294967297\""},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID[2001]\n", "is not a number from 1 to 2000"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID[3\n", "unexpected \"[3\" after the field ID"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\n$id ID\n", "line 5: a '$' annotation is not closed"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\n$id,$ID\n", "an empty annotation"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID\nBUILD 1.1.1.2\n", "line 6: BUILD comes after"},
    };
    for (const MalformedCase& c : cases) {
        try {
            ReadDbdFile(c.text, "Bad.dbd");
            ADD_FAILURE() << "read without error: " << c.text;
        } catch (const KelvaneError& error) {
            std::string message = error.what();
            EXPECT_NE(message.find("\"Bad.dbd\""), std::string::npos) << message;
            EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        }
    }
}

// A bad line can be megabytes long and hold terminal escapes: the message quotes at most
// EchoLength characters of it, escaped, whatever the fault.
TEST(DbdReaderTest, MessagesQuoteTheOffendingTextCutAndEscaped) {
    const std::string huge(2'000'000, 'x');
    const std::string x80(80, 'x');
    const struct {
        std::string Text;
        std::string Expected;  // part of the message
    } cases[] = {
        {"COLUMNS\nint ID extra\x1b]0;owned\x07" + huge + "\n",
         "line 2: unexpected \"extra\\x1b]0;owned\\x07" + std::string(59, 'x') +
             "...\" after the column name."},
        {"COLUMNS\n" + huge + " ID\n", "line 2: unknown column type \"" + x80 + "...\"."},
        {"COLUMNS\nint " + huge + "\nint " + huge + "\n",
         "line 3: the column " + x80 + "... is listed twice."},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\n" + huge + "\n",
         "line 5: the field " + x80 + "... is not in the COLUMNS block."},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID \r" + huge + "\n",
         "line 5: unexpected \" \\r" + std::string(77, 'x') + "...\" after the field ID."},
        {"COLUMNS\nint ID\n\nBUILD 1.1\x1b[2J" + huge + "\nID\n",
         "line 4: \"1.1\\x1b[2J" + std::string(70, 'x') + "...\" is no build"},
        {"COLUMNS\nint ID\n\nBUILD 2.0.0.0-1." + huge + "\nID\n",
         "line 4: \"2.0.0.0-1." + std::string(70, 'x') + "...\" is no build"},
        {"COLUMNS\nint ID\n\nLAYOUT 1234\x01" + huge + "\nID\n",
         "line 4: \"1234\\x01" + std::string(72, 'x') + "...\" is no layout hash"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID<\x1b" + huge + ">\n",
         "line 5: \"<\\x1b" + std::string(76, 'x') + "...>\" is no integer width"},
        {"COLUMNS\nint ID\n\nBUILD 1.1.1.1\nID[" + huge + "]\n",
         "line 5: the array size \"" + x80 + "...\" is not a number"},
    };
    for (const auto& c : cases) {
        try {
            ReadDbdFile(c.Text, "Bad.dbd");
            ADD_FAILURE() << "read without error: " << c.Expected;
        } catch (const KelvaneError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.Expected), std::string::npos) << message;
            EXPECT_LT(message.size(), 300u) << message.substr(0, 300);
            EXPECT_EQ(message.find_first_of("\r\n\x1b\x07\x01"), std::string::npos) << message;
        }
    }
}

}  // namespace
}  // namespace kelvane

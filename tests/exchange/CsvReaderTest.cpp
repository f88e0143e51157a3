#include "exchange/CsvReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/MemoryByteSource.h"

namespace kelvane {
namespace {

struct ReadRecord {
    int64_t Line = 0;
    std::vector<std::string> Items;
    bool operator==(const ReadRecord&) const = default;
};

void PrintTo(const ReadRecord& record, std::ostream* out) {
    *out << "line " << record.Line << " " << ::testing::PrintToString(record.Items);
}

std::vector<ReadRecord> ReadAll(std::string_view bytes, size_t pieceBytes,
                                CsvConversions* conversions = nullptr) {
    MemoryByteSource source(bytes);
    CsvReader reader(source, "in.csv", pieceBytes);
    std::vector<ReadRecord> records;
    while (reader.Next()) {
        records.push_back({reader.Line(), {reader.Items().begin(), reader.Items().end()}});
    }
    if (conversions != nullptr) {
        *conversions = reader.Conversions();
    }
    return records;
}

// Pieces of one and a few bytes cut every quote, doubled quote and CR LF apart somewhere.
constexpr size_t kPieceSizes[] = {1, 2, 3, 7, size_t{1} << 20};

struct ReaderCase {
    std::string Name;
    std::string Bytes;
    std::vector<ReadRecord> Records;
};

TEST(CsvReader, TakesRecordsApartAsExportsAndSpreadsheetsWriteThem) {
    const std::vector<ReaderCase> cases = {
        {"empty file", "", {}},
        {"one item without line end", "7", {{1, {"7"}}}},
        {"CR LF", "1,a\r\n2,b\r\n", {{1, {"1", "a"}}, {2, {"2", "b"}}}},
        {"LF", "1,a\n2,b\n", {{1, {"1", "a"}}, {2, {"2", "b"}}}},
        {"CR", "1,a\r2,b\r", {{1, {"1", "a"}}, {2, {"2", "b"}}}},
        {"mixed line ends", "1\r\n2\n3\r4", {{1, {"1"}}, {2, {"2"}}, {3, {"3"}}, {4, {"4"}}}},
        {"empty items", ",,\r\n", {{1, {"", "", ""}}}},
        {"trailing comma at the end of the file", "1,", {{1, {"1", ""}}}},
        {"lone quoted empty item", "\"\"\r\n", {{1, {""}}}},
        {"empty lines hold no record", "\r\n1\r\n\r\n\n2\r\n\r\n", {{2, {"1"}}, {5, {"2"}}}},
        {"quoted comma", "\"a,b\",c", {{1, {"a,b", "c"}}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"", {{1, {"say \"hi\"", "\""}}}},
        {"quoted line breaks count as lines",
         "\"two\r\nlines\",\"lf\nand cr\r\",x\r\n5\r\n",
         {{1, {"two\r\nlines", "lf\nand cr\r", "x"}}, {5, {"5"}}}},
        {"blanks kept in unquoted items", " a ,b ", {{1, {" a ", "b "}}}},
        {"quoted blanks", "\" lead\",\"trail \"", {{1, {" lead", "trail "}}}},
        {"comma as decimal separator, quoted", "1,\"1,5\",-2", {{1, {"1", "1,5", "-2"}}}},
        {"byte order mark", "\xEF\xBB\xBFID,Name\r\n", {{1, {"ID", "Name"}}}},
        {"UTF-8 text as it is", "caf\xC3\xA9,\xE2\x82\xAC", {{1, {"caf\xC3\xA9", "\xE2\x82\xAC"}}}},
        {"NUL byte", std::string("a\0b,c", 5), {{1, {std::string("a\0b", 3), "c"}}}},
    };
    for (const ReaderCase& c : cases) {
        for (const size_t piece : kPieceSizes) {
            EXPECT_EQ(ReadAll(c.Bytes, piece), c.Records) << c.Name << ", pieces of " << piece;
        }
    }
}

struct BadCase {
    std::string Name;
    std::string Bytes;
    std::string Message;
};

TEST(CsvReader, NamesFileAndLineOfMalformedText) {
    const std::vector<BadCase> cases = {
        {"unterminated quote", "1,a\r\n2,\"open\r\nand on\r\n", "in.csv line 2: the quoted item"},
        {"unterminated after doubled quote", "\"a\"\"", "in.csv line 1: the quoted item"},
        {"stray quote", "1,a\r\n2,b\"c\r\n", "in.csv line 2: a double quote stands inside"},
        {"quote after blanks", "1, \"a\"", "in.csv line 1: a double quote stands inside"},
        {"text after closing quote", "\"a\r\nb\"c,d", "in.csv line 2: text follows the closing"},
    };
    for (const BadCase& c : cases) {
        for (const size_t piece : kPieceSizes) {
            try {
                ReadAll(c.Bytes, piece);
                ADD_FAILURE() << c.Name << ": no error, pieces of " << piece;
            } catch (const KelvaneError& error) {
                EXPECT_EQ(std::string(error.what()).find(c.Message), 0u)
                    << c.Name << ", pieces of " << piece << ": " << error.what();
            }
        }
    }
}

// Without a byte order mark each item is judged on its own: UTF-8 stays, anything else is
// Windows-1252, as a spreadsheet saves it, and is converted.
TEST(CsvReader, TakesEachItemThatIsNotUtf8AsWindows1252) {
    struct EncodingCase {
        std::string Name;
        std::string Bytes;
        std::vector<ReadRecord> Records;
        int64_t Converted = 0;
        int64_t FirstLine = 0;
        size_t FirstItem = 0;
    };
    const std::vector<EncodingCase> cases = {
        {"ASCII", "plain", {{1, {"plain"}}}},
        {"UTF-8 of every length",
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         {{1, {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"}}}},
        {"Latin letters", "caf\xE9 \xFC", {{1, {"caf\xC3\xA9 \xC3\xBC"}}}, 1, 1, 0},
        {"the code page's own 0x80 to 0x9F",
         "\x80\x93\x99\x9F",
         {{1, {"\xE2\x82\xAC\xE2\x80\x9C\xE2\x84\xA2\xC5\xB8"}}},
         1,
         1,
         0},
        {"undefined byte", "\x81", {{1, {"\xC2\x81"}}}, 1, 1, 0},
        {"UTF-8 cut off at the end", "a\xE2\x82", {{1, {"a\xC3\xA2\xE2\x80\x9A"}}}, 1, 1, 0},
        {"overlong form", "\xC0\xAF", {{1, {"\xC3\x80\xC2\xAF"}}}, 1, 1, 0},
        {"surrogate", "\xED\xA0\x80", {{1, {"\xC3\xAD\xC2\xA0\xE2\x82\xAC"}}}, 1, 1, 0},
        {"one Latin-1 text among Russian and Chinese ones",
         "\xD0\x9C\xD0\xB8\xD1\x80,caf\xE9,\xE4\xB8\xAD\r\n\xE4\xB8\xAD,x\r\n",
         {{1, {"\xD0\x9C\xD0\xB8\xD1\x80", "caf\xC3\xA9", "\xE4\xB8\xAD"}},
          {2, {"\xE4\xB8\xAD", "x"}}},
         1,
         1,
         1},
        {"a sequence cut apart by a comma is UTF-8 in neither item",
         "a\xC3,\xA9",
         {{1, {"a\xC3\x83", "\xC2\xA9"}}},
         2,
         1,
         0},
        {"quoted, with a doubled quote and a line break, on a later line",
         "1,x\r\n2,\"\xE9\"\"\r\n\xE8\"\r\n",
         {{1, {"1", "x"}}, {2, {"2", "\xC3\xA9\"\r\n\xC3\xA8"}}},
         1,
         2,
         1},
    };
    for (const EncodingCase& c : cases) {
        for (const size_t piece : kPieceSizes) {
            SCOPED_TRACE(c.Name + ", pieces of " + std::to_string(piece));
            CsvConversions conversions;
            EXPECT_EQ(ReadAll(c.Bytes, piece, &conversions), c.Records);
            EXPECT_EQ(conversions.Items, c.Converted);
            if (c.Converted > 0) {
                EXPECT_EQ(conversions.FirstLine, c.FirstLine);
                EXPECT_EQ(conversions.FirstItem, c.FirstItem);
            }
        }
    }
}

// Our export writes the mark when some text is not UTF-8: every item then keeps its bytes.
TEST(CsvReader, AfterAByteOrderMarkEveryItemKeepsItsBytes) {
    const std::string items =
        "caf\xE9,\xD0\x9C\xD0\xB8\xD1\x80,\"\xFF\xFE,\x80\",a\xC3\r\n\xA9\r\n";
    const std::string marked = "\xEF\xBB\xBF" + items;
    for (const size_t piece : kPieceSizes) {
        MemoryByteSource source(marked);
        CsvReader reader(source, "in.csv", piece);
        EXPECT_TRUE(reader.KeepsBytes());
        ASSERT_TRUE(reader.Next());
        EXPECT_EQ(std::vector<std::string>(reader.Items().begin(), reader.Items().end()),
                  (std::vector<std::string>{"caf\xE9", "\xD0\x9C\xD0\xB8\xD1\x80", "\xFF\xFE,\x80",
                                            "a\xC3"}));
        ASSERT_TRUE(reader.Next());
        EXPECT_EQ(reader.Items().front(), "\xA9");
        EXPECT_FALSE(reader.Next());
        EXPECT_EQ(reader.Conversions().Items, 0);
    }
    MemoryByteSource plain(items);
    EXPECT_FALSE(CsvReader(plain, "in.csv").KeepsBytes());
}

TEST(CsvReader, ReadsARecordLongerThanManyPieces) {
    const std::string text(100000, 'x');
    const std::string bytes = "1,\"" + text + "\"\"" + text + "\"\r\n2\r\n";
    const std::vector<ReadRecord> expected = {{1, {"1", text + "\"" + text}}, {2, {"2"}}};
    EXPECT_EQ(ReadAll(bytes, 16), expected);
}

}  // namespace
}  // namespace kelvane

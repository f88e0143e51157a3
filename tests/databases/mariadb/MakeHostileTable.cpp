// kelvane_make_hostile_table DIR: writes Hostile-Texts.dbc and its field definitions into DIR,
// a table made to trip a MySQL dump: texts with quotes, backslashes, line breaks, Ctrl-Z, tabs,
// SQL and comment markers, UTF-8 of every length, bytes that are not UTF-8 and texts as long
// as a table holds; floats at the ends of their range; narrow cells at their limits; a key
// that repeats, so there is no primary key; a column name with a back-quote; and more than a
// mebibyte of INSERTs.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/table/RecordTable.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;

// Every byte from 1 to 127 once, NUL being the end of a text in the file.
std::string AsciiRun() {
    std::string text;
    for (int byte = 1; byte < 128; ++byte) {
        text += static_cast<char>(byte);
    }
    return text;
}

// Longer than a TEXT column holds, so the dump must declare a wider one.
constexpr size_t kLongTextBytes = 70000;

// A long text of characters of one to four bytes.
std::string LongText(int seed) {
    const std::vector<std::string> pieces = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x94\xA5",
                                             "'", "\\",       "\r\n",         "\x1A"};
    std::string text;
    for (size_t i = static_cast<size_t>(seed); text.size() + 4 <= kLongTextBytes; ++i) {
        text += pieces[i % pieces.size()];
    }
    return text;
}

const std::vector<std::string> kTexts = {
    "",
    "plain",
    "it's",
    "''",
    "\"quoted\", with a comma",
    R"(C:\path\to\file\)",
    "\\",
    "\\'",
    "\\0 not a NUL",
    "line\r\nbreak",
    "only\nLF",
    "\rCR first",
    "ends in CR LF\r\n",
    "Ctrl-Z \x1A inside",
    "\x1A",
    "tab\tand\tmore",
    "  blanks at both ends  ",
    "NULL",
    "\\N",
    "-- not a comment",
    "/* nor this */",
    "'); DROP TABLE `Hostile-Texts`; --",
    "100%_ LIKE",
    "Gr\xC3\xB6\xC3\x9F"
    "e \xE6\xBC\xA2\xE5\xAD\x97 \xF0\x9F\x94\xA5",
    "`back` quotes",
    AsciiRun(),
    LongText(0),
    LongText(3),
};

// Texts that are not UTF-8: Windows-1252, stray and overlong bytes, a surrogate.
const std::vector<std::string> kRawTexts = {
    "caf\xE9", "\xFF\xFE", "\xC0\xAF", "\xED\xA0\x80", "\x80", "ok", "", "\xE9'\\\r\n\x1A",
};

// No -0: a DOUBLE column keeps none, and the dump writes it as 0 with a warning.
const std::vector<float> kFloats = {
    0.0f,
    1.5f,
    0.1f,
    -2.25f,
    1e-7f,
    123456.789f,
    16777216.0f,
    std::numeric_limits<float>::max(),
    std::numeric_limits<float>::lowest(),
    std::numeric_limits<float>::min(),
    std::numeric_limits<float>::denorm_min(),
    3.14159274f,
};

const std::vector<int32_t> kIntegers = {
    0, -1, 1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 0x7F7F7F7F};

// The string block of the file: each text once, in first-met order.
class StringBlock {
  public:
    StringBlock() : bytes_(1, '\0') {}
    int32_t Offset(const std::string& text) {
        if (text.empty()) {
            return 0;
        }
        const auto [place, fresh] = offsets_.emplace(text, static_cast<int32_t>(bytes_.size()));
        if (fresh) {
            bytes_ += text + '\0';
        }
        return place->second;
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
    std::unordered_map<std::string, int32_t> offsets_;
};

constexpr int kRecords = 2000;
constexpr int kFields = 9;
constexpr int kRecordBytes = 7 * 4 + 1 + 2;

void WriteHostileTable(const std::string& folder) {
    StringBlock strings;
    DbcBytes records;
    for (int i = 0; i < kRecords; ++i) {
        const auto at = static_cast<size_t>(i);
        records.Int(i / 2);  // every key twice
        records.Int(strings.Offset(kTexts[at % kTexts.size()]));
        records.Int(strings.Offset(kTexts[(at * 7 + 3) % kTexts.size()]));
        records.Int(strings.Offset(kRawTexts[at % kRawTexts.size()]));
        records.Float(kFloats[at % kFloats.size()]);
        records.Int(kIntegers[at % kIntegers.size()]);
        records.Int(strings.Offset(kTexts[(at * 3 + 1) % kTexts.size()]));
        records.Byte(static_cast<uint8_t>(i % 2 == 0 ? 255 : i % 256));
        const uint16_t level = i % 3 == 0 ? 65535 : static_cast<uint16_t>(i * 97);
        records.Byte(static_cast<uint8_t>(level & 0xFF)).Byte(static_cast<uint8_t>(level >> 8));
    }
    DbcBytes file;
    file.Header(kRecords, kFields, kRecordBytes, static_cast<int32_t>(strings.Bytes().size()));
    file.Raw(records.Bytes()).Raw(strings.Bytes());

    const std::string path = folder + "/Hostile-Texts.dbc";
    std::ofstream(path, std::ios::binary) << file.Bytes();
    WriteFieldDefs(path, {{"ID", FieldKind::ftInteger, false, 32},
                          {"Name", FieldKind::ftString, false, 32},
                          {"Note", FieldKind::ftString, false, 32},
                          {"Raw bytes", FieldKind::ftString, false, 32},
                          {"Speed", FieldKind::ftFloat, false, 32},
                          {"Flags", FieldKind::ftInteger, true, 32},
                          {"Odd`Name", FieldKind::ftString, false, 32},
                          {"Race", FieldKind::ftInteger, false, 8},
                          {"Level", FieldKind::ftInteger, false, 16}});
}

}  // namespace
}  // namespace kelvane::testing

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kelvane_make_hostile_table DIR\n";
        return 2;
    }
    kelvane::testing::WriteHostileTable(argv[1]);
    return 0;
}

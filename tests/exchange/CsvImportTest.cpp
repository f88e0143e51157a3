#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "exchange/CsvImport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"
#include "core/files/ByteSource.h"
#include "core/files/MemoryByteSource.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoHistory.h"
#include "exchange/RepeatedImportKeyError.h"
#include "exchange/TextExport.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::DecimalSeparatorScope;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

constexpr int kSpeed = 3;
constexpr int kFlags = 4;

void BuildSpellTable(RecordTable& table) {
    BuildTable(table,
               {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}, {"Flags"}});
    table.Presentation(kFlags).HexHooks = true;
    table.Presentation(kFlags).Caption = "Flags(hex)";
}

CsvImportReport Import(RecordTable& table, std::string_view bytes, bool header,
                       ImportMatch match = ImportMatch::ByKey) {
    MemoryByteSource source(bytes);
    return ImportCsv(table, source, "in.csv", header, match);
}

// The export of a table, as the exports write it, header line first when asked.
std::string ExportText(RecordTable& table, bool header) {
    std::vector<std::string> lines = ExportAllLines(table);
    if (header) {
        lines.insert(lines.begin(), HeaderLine(table));
    }
    MarkNonUtf8Lines(lines);
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

double FloatOfBits(uint32_t bits) {
    return WidenFloat(std::bit_cast<float>(bits));
}

// Every cell after Index, floats by their bits, so that a round trip is checked exactly.
std::vector<std::string> CellBits(const RecordTable& table) {
    std::vector<std::string> cells;
    for (int row = 0; row < table.RecordCount(); ++row) {
        for (int column = 1; column < table.FieldCount(); ++column) {
            if (table.IsBlank(row, column)) {
                cells.emplace_back("<blank>");
            } else if (table.ColumnKind(column) == FieldKind::ftFloat) {
                cells.push_back(
                    std::to_string(std::bit_cast<uint64_t>(table.FloatAt(row, column))));
            } else {
                cells.push_back(table.CellText(row, column));
            }
        }
    }
    return cells;
}

void SetFloat(RecordTable& table, int row, double value) {
    table.MoveTo(row);
    table.Edit();
    table.Fields(kSpeed).SetAsFloat(value);
    table.Post();
}

// Values at the edges of what each kind holds and of what comma-separated text must quote.
void FillEdgeCases(RecordTable& table) {
    const std::vector<std::vector<std::string>> records = {
        {"1", "plain", "1.5", "0"},
        {"-2147483648", "say \"hi\"", "", "-1"},
        {"2147483647", "a, b", "-0.25", "2147483647"},
        {"4", "two\r\nlines\nand\rmore", "100000", ""},
        {"5", "  blanks around  ", "0", "255"},
        {"6", "", "", ""},
        {"7", "\"", "1E-7", "-2147483648"},
        {"8", "\"\"", "3", "16"},
        {"9", "caf\xC3\xA9 \xE2\x82\xAC", "-1", "1"},
        {"10", "tab\there", "2", "2"},
        // Texts a table of real files holds side by side: Latin-1 among UTF-8, and bytes.
        {"11", "Latin-1 caf\xE9", "0", "4"},
        {"12", "\xD0\x9C\xD0\xB8\xD1\x80 \xE4\xB8\xAD", "0", "5"},
        {"13", "\xFF\xFE\x01 \x80, cut \xE2\x82", "0", "6"},
    };
    for (const std::vector<std::string>& record : records) {
        AddRecord(table, record);
    }
    // Floats as a DBC file holds them: 32 bits, which 15 digits do not write back exactly.
    SetFloat(table, 0, static_cast<float>(0.1));
    SetFloat(table, 4, static_cast<float>(3.14159265));
    SetFloat(table, 7, std::numeric_limits<float>::max());
    SetFloat(table, 8, std::numeric_limits<float>::denorm_min());
    SetFloat(table, 9, std::numeric_limits<double>::infinity());
    SetFloat(table, 10, -std::numeric_limits<double>::infinity());
    // -0 and NaNs with a payload, a sign, or signalling.
    SetFloat(table, 11, -0.0);
    SetFloat(table, 12, FloatOfBits(0x7FC00001));
    SetFloat(table, 13, FloatOfBits(0xFFC00000));
    SetFloat(table, 5, FloatOfBits(0x7F800001));
    SetFloat(table, 2, FloatOfBits(0x807FFFFF));  // the largest negative denormal
}

TEST(CsvImport, OwnExportReadsBackExactlyWithEitherDecimalSeparator) {
    for (const char separator : {'.', ','}) {
        for (const bool header : {false, true}) {
            DecimalSeparatorScope scope(separator);
            RecordTable source;
            BuildSpellTable(source);
            FillEdgeCases(source);
            const std::string text = ExportText(source, header);

            RecordTable fresh;
            BuildSpellTable(fresh);
            const CsvImportReport added = Import(fresh, text, header);
            EXPECT_EQ(added.Merge.RecordsAdded, source.RecordCount());
            EXPECT_EQ(CellBits(fresh), CellBits(source)) << separator << " header " << header;

            const CsvImportReport again = Import(source, text, header);
            EXPECT_EQ(again.Merge.RecordsUnchanged, source.RecordCount())
                << separator << " header " << header;
            EXPECT_EQ(again.Merge.RecordsChanged, 0);
        }
    }
}

// A file without a byte order mark, saved by a spreadsheet or put together by hand: a text
// that is not UTF-8 is read as Windows-1252, and only that text.
TEST(CsvImport, ConvertsTheTextsThatAreNotUtf8AndSaysWhere) {
    RecordTable table;
    BuildSpellTable(table);
    const CsvImportReport report =
        Import(table,
               "ID,Name\n1,\xD0\x9C\xD0\xB8\xD1\x80\n2,caf\xE9\n3,\xE4\xB8\xAD\xE6\x96\x87\n4,"
               "\xC3\xA9t\xE9\n",
               true);
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "\xD0\x9C\xD0\xB8\xD1\x80", "0", "0"},
                                       {"1", "2", "caf\xC3\xA9", "0", "0"},
                                       {"2", "3", "\xE4\xB8\xAD\xE6\x96\x87", "0", "0"},
                                       {"3", "4", "\xC3\x83\xC2\xA9t\xC3\xA9", "0", "0"}}));
    EXPECT_EQ(report.ConvertedTexts, 2);
    EXPECT_EQ(report.FirstConverted, "line 3, column Name");

    const CsvImportReport utf8 = Import(table, "ID,Name\n1,caf\xC3\xA9\n", true);
    EXPECT_EQ(utf8.ConvertedTexts, 0);
    EXPECT_EQ(utf8.FirstConverted, "");
}

TEST(CsvImport, ChangesRecordsByKeyAddsTheRestInOneUndoStep) {
    RecordTable table;
    BuildSpellTable(table);
    AddRecord(table, {"12", "Fire", "1.5", "3"});
    AddRecord(table, {"7", "Frost", "2", "4"});
    UndoHistory history(table);
    const Rows before = TableTexts(table);

    // Columns by name in any order and case; Speed is not given, so it stays.
    const CsvImportReport report =
        Import(table, "flags(HEX),name,id\n16,Blizzard,7\n1,New,99\n3,Fire,12\n", true);

    EXPECT_EQ(report.RowsRead, 3);
    EXPECT_EQ(report.Merge.RecordsChanged, 1);
    EXPECT_EQ(report.Merge.RecordsAdded, 1);
    EXPECT_EQ(report.Merge.RecordsUnchanged, 1);
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "12", "Fire", "1.5", "3"},
                                       {"1", "7", "Blizzard", "2", "16"},
                                       {"2", "99", "New", "0", "1"}}));
    EXPECT_EQ(history.UndoName(), "Import CSV");
    history.Undo();
    EXPECT_EQ(TableTexts(table), before);
    EXPECT_FALSE(history.CanUndo());
}

TEST(CsvImport, WithoutHeaderFillsTheLeadingColumnsAndLeavesTheRest) {
    RecordTable table;
    BuildSpellTable(table);
    AddRecord(table, {"12", "Fire", "1.5", "3"});
    Import(table, "12,Flame\n13,Spark\n", false);
    EXPECT_EQ(TableTexts(table),
              (Rows{{"0", "12", "Flame", "1.5", "3"}, {"1", "13", "Spark", "0", "0"}}));
}

TEST(CsvImport, IntegerColumnsTakeWholeNumbersAsSpreadsheetsWriteThem) {
    RecordTable table;
    BuildSpellTable(table);
    Import(table, "ID,Flags\n1,4294967295\n2,2.00\n3,1E3\n4,-7\n5,$FF\n6,\n", true);
    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "", "0", "-1"},
                                       {"1", "2", "", "0", "2"},
                                       {"2", "3", "", "0", "1000"},
                                       {"3", "4", "", "0", "-7"},
                                       {"4", "5", "", "0", "255"},
                                       {"5", "6", "", "0", ""}}));
}

struct ErrorCase {
    std::string Name;
    std::string Bytes;
    bool Header = false;
    std::string Message;
};

// "n0,n1,...": count names, none of them a column's.
std::string UnknownNames(int count) {
    std::string line = "n0";
    for (int i = 1; i < count; ++i) {
        line += ",n" + std::to_string(i);
    }
    return line;
}

std::string Repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(CsvImport, RefusesBadFilesNamingWhereAndLeavesTheTableAsItWas) {
    const std::vector<ErrorCase> cases = {
        {"a header line read as values", "id,NAME,Speed\n1,a,2\n", false,
         "in.csv line 1: the line names columns of the table: import the file with its first "
         "line taken as the header"},
        {"unknown names, all of them", "ID,Nme,Speed,Colour\n", true,
         "in.csv line 1: the table has no column named 'Nme', 'Colour' (the header line must "
         "name columns after Index)"},
        {"Index is not imported", "Index,ID\n", true,
         "in.csv line 1: the table has no column named 'Index'"},
        {"name given twice", "ID,Name,NAME\n", true,
         "in.csv line 1: the header line names 'NAME' twice"},
        {"thousands of unknown names", UnknownNames(4326) + "\n", true,
         "in.csv line 1: the table has no column named 'n0', 'n1', 'n2', 'n3', 'n4' and 4,321 "
         "more (the header line must name columns after Index)"},
        {"thousands of names given twice", "ID,Name" + Repeated(",Name", 1003) + "\n", true,
         "in.csv line 1: the header line names 'Name', 'Name', 'Name', 'Name', 'Name' and 998 "
         "more twice"},
        {"an unknown name long and with control characters",
         "ID,\"Na\x1b[2J\nme" + std::string(100'000, 'e') + "\"\n", true,
         "in.csv line 1: the table has no column named 'Na\\x1b[2J\\nme" + std::string(67, 'e') +
             "...' (the header"},
        {"no key column", "Name,Speed\nx,1\n", true,
         "in.csv line 1: the header line lacks the key column ID, by which records are matched"},
        {"value the column cannot hold, on the line where its record starts",
         "1,\"two\nlines\",1.5,0\n2,x,fast,0\n", false,
         "in.csv line 3, column Speed: 'fast' is not a valid floating point value for field "
         "'Speed'"},
        {"integer too big", "ID,Flags\n1,2\n2,99999999999\n", true,
         "in.csv line 3, column Flags: '99999999999' is not a valid integer value for field "
         "'Flags(hex)'"},
        {"integer past 32 bits", "ID,Flags\n1,4294967296\n", true,
         "in.csv line 2, column Flags: '4294967296' is not a valid integer value for field "
         "'Flags(hex)'"},
        {"fraction in an integer column", "ID,Flags\n1,2.5\n", true,
         "in.csv line 2, column Flags: '2.5' is not a valid integer value for field 'Flags(hex)'"},
        {"more items than columns", "1,a,2,3,4\n", false,
         "in.csv line 1: 5 items, but the table has 4 columns after Index"},
        {"fewer items than the first line", "1,a,2,3\n\n2,b\n", false,
         "in.csv line 3: 2 items where line 1 has 4"},
        {"more items than the header", "ID,Name\n1,a\n2,b,c\n", true,
         "in.csv line 3: 3 items where line 1 has 2"},
        {"unterminated quote, after good records", "1,a,2,3\n2,\"b,2,3\n", false,
         "in.csv line 2: the quoted item that starts here has no closing quote"},
        {"a blank key", "ID,Name\n1,a\n,b\n", true,
         "in.csv line 3, column ID: the key is blank, and every record needs one. Nothing was "
         "changed."},
        {"a key on two records of the file, one starting on two lines",
         "2,\"a\nb\",1,1\n3,b,1,1\n2,c,1,1\n", false,
         "in.csv lines 1 and 4: the key '2' stands on each of them, so they cannot each be "
         "matched to a record by key. Nothing was changed."},
    };
    for (const ErrorCase& c : cases) {
        RecordTable table;
        BuildSpellTable(table);
        AddRecord(table, {"1", "keep", "0.5", "1"});
        UndoHistory history(table);
        const Rows before = TableTexts(table);
        try {
            Import(table, c.Bytes, c.Header);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()).substr(0, c.Message.size()), c.Message) << c.Name;
            EXPECT_LT(std::string(error.what()).size(), 600u) << c.Name;
        }
        EXPECT_EQ(TableTexts(table), before) << c.Name;
        EXPECT_FALSE(history.CanUndo()) << c.Name;
    }
}

// A file whose reading runs out of memory after its first piece, as staging a big file beside a
// big table can.
class StarvedSource : public ByteSource {
  public:
    explicit StarvedSource(std::string bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }
    std::string_view Read(uint64_t offset, size_t size) override {
        if (offset > 0) {
            throw std::bad_alloc();
        }
        return std::string_view(bytes_).substr(0, size);
    }

  private:
    std::string bytes_;
};

TEST(CsvImport, RunningOutOfMemoryNamesTheFileAndLeavesTheTableAsItWas) {
    std::string records;
    for (int key = 1; records.size() < 3 * (size_t{1} << 20); ++key) {
        records += std::to_string(key) + ",some text of a record,1.5," + std::to_string(key) + "\n";
    }
    for (const bool header : {false, true}) {
        RecordTable table;
        BuildSpellTable(table);
        AddRecord(table, {"1", "keep", "0.5", "1"});
        UndoHistory history(table);
        const Rows before = TableTexts(table);
        StarvedSource source((header ? "ID,Name,Speed,Flags\n" : "") + records);
        try {
            ImportCsv(table, source, "/data/big.csv", header, ImportMatch::ByKey);
            ADD_FAILURE() << "imported without memory";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot import \"/data/big.csv\": the table with what the file adds is too "
                      "large for the memory available.");
        }
        EXPECT_EQ(TableTexts(table), before);
        EXPECT_FALSE(history.CanUndo());
    }
}

// A table whose first column repeats, as many real tables do (a class and its subclasses):
// our export names the key on many lines, so by key it is refused, and by position it reads
// back exactly, the records in the order written.
TEST(CsvImport, OwnExportOfATableWithRepeatedKeysReadsBackByPosition) {
    for (const bool header : {false, true}) {
        SCOPED_TRACE(header);
        RecordTable table;
        BuildSpellTable(table);
        for (const auto& record :
             std::vector<std::vector<std::string>>{{"0", "Consumable", "0.1", "0"},
                                                   {"0", "Potion", "-0.25", "1"},
                                                   {"0", "Liquid(OBSOLETE)", "", "2"},
                                                   {"2", "Bow", "1E-7", "0"},
                                                   {"2", "Gun", "3", "3"}}) {
            AddRecord(table, record);
        }
        SetFloat(table, 0, static_cast<float>(0.1));
        const std::string text = ExportText(table, header);
        const std::vector<std::string> cells = CellBits(table);
        UndoHistory history(table);

        try {
            Import(table, text, header);
            ADD_FAILURE() << "the import went through";
        } catch (const RepeatedImportKeyError& error) {
            const std::string lines = header ? "lines 2, 3 and 4" : "lines 1, 2 and 3";
            EXPECT_EQ(std::string(error.what()),
                      "in.csv " + lines +
                          ": the key '0' stands on each of them and on records 1, 2 and 3 of the "
                          "table, so they cannot each be matched to a record by key; 1 more key "
                          "repeats as well. Nothing was changed.");
        }
        EXPECT_EQ(CellBits(table), cells);
        EXPECT_FALSE(history.CanUndo());

        const CsvImportReport back = Import(table, text, header, ImportMatch::ByPosition);
        EXPECT_EQ(back.Merge.RecordsUnchanged, 5);
        EXPECT_EQ(back.Merge.RecordsChanged + back.Merge.RecordsAdded, 0);
        EXPECT_EQ(CellBits(table), cells);

        // Into an empty table every row is added, in the file's order.
        RecordTable fresh;
        BuildSpellTable(fresh);
        EXPECT_EQ(Import(fresh, text, header, ImportMatch::ByPosition).Merge.RecordsAdded, 5);
        EXPECT_EQ(CellBits(fresh), cells);
    }
}

// Comma-separated text shaped as LibreOffice Calc saves a sheet: only the items that need it
// quoted, or every text with "Quote all text cells"; LF on Linux, CR LF on Windows; numbers as
// the cells show them; UTF-8 (with a byte order mark when asked) or Windows-1252.
struct SpreadsheetCase {
    std::string Name;
    std::string Bytes;
    char Separator = '.';
};

TEST(CsvImport, ReadsWhatASpreadsheetSaves) {
    const Rows expected = {{"0", "12", "Caf\xC3\xA9 \"Noir\"", "0.5", "255"},
                           {"1", "13",
                            "Na\xC3\xAFve, \xE2\x82\xAC"
                            "5",
                            "1E-7", "0"}};
    const std::vector<SpreadsheetCase> cases = {
        {"UTF-8, LF, quoted only where needed",
         "ID,Name,Speed,Flags\n12,\"Caf\xC3\xA9 \"\"Noir\"\"\",0.5,255\n"
         "13,\"Na\xC3\xAFve, \xE2\x82\xAC"
         "5\",1E-07,0\n"},
        {"UTF-8 with byte order mark, CR LF, every text quoted",
         "\xEF\xBB\xBF\"ID\",\"Name\",\"Speed\",\"Flags\"\r\n12,\"Caf\xC3\xA9 \"\"Noir\"\"\",0.5,"
         "255\r\n13,\"Na\xC3\xAFve, \xE2\x82\xAC"
         "5\",1E-07,0\r\n"},
        {"Windows-1252, CR LF",
         "ID,Name,Speed,Flags\r\n12,\"Caf\xE9 \"\"Noir\"\"\",0.5,255\r\n"
         "13,\"Na\xEFve, \x80"
         "5\",1E-07,0\r\n"},
        {"comma as decimal separator, numbers quoted",
         "ID,Name,Speed,Flags\n12,\"Caf\xC3\xA9 \"\"Noir\"\"\",\"0,5\",255\n"
         "13,\"Na\xC3\xAFve, \xE2\x82\xAC"
         "5\",1E-07,0\n",
         ','},
    };
    for (const SpreadsheetCase& c : cases) {
        DecimalSeparatorScope scope(c.Separator);
        RecordTable table;
        BuildSpellTable(table);
        Import(table, c.Bytes, true);
        Rows texts = TableTexts(table);
        if (c.Separator == ',') {
            texts[0][3] = "0.5";
            texts[1][3] = "1E-7";
        }
        EXPECT_EQ(texts, expected) << c.Name;
    }
}

// What LibreOffice Calc 7.4 saved after opening our export of a small table (with a header line)
// and saving it again as CSV: as UTF-8 with its defaults, and as Windows-1252 with every text
// quoted. Calc turned CR LF inside a text into LF, a text of digits into a number ("007" -> 7),
// wrote 1E-5 as 0.00001 or 1.00E-05 and 3.4E38 with a three-digit exponent, and left a text
// with a leading blank unquoted.
TEST(CsvImport, ReadsBackWhatCalcSavedFromOurExport) {
    const Rows expected = {{"0", "12", "Fire, Ball", "1.5", "say \"hi\""},
                           {"1", "7", "Frost", "0.100000001490116", "two\nlines"},
                           {"2", "-5", "Caf\xC3\xA9", "1E-5", ""},
                           {"3", "3", " lead", "3.40282346638529E38", "7"}};
    const std::vector<std::pair<std::string, std::string>> saved = {
        {"UTF-8, Calc's defaults",
         "ID,Name,Speed,Note\n12,\"Fire, Ball\",1.5,\"say \"\"hi\"\"\"\n"
         "7,Frost,0.100000001490116,\"two\nlines\"\n-5,Caf\xC3\xA9,0.00001,\n"
         "3, lead,3.40282346638529E+038,7\n"},
        {"Windows-1252, every text quoted",
         "\"ID\",\"Name\",\"Speed\",\"Note\"\n12,\"Fire, Ball\",1.5,\"say \"\"hi\"\"\"\n"
         "7,\"Frost\",0.100000001490116,\"two\nlines\"\n-5,\"Caf\xE9\",1.00E-05,\n"
         "3,\" lead\",3.40282346638529E+038,7\n"},
    };
    for (const auto& [name, bytes] : saved) {
        RecordTable table;
        BuildTable(table, {{"ID"},
                           {"Name", FieldKind::ftString},
                           {"Speed", FieldKind::ftFloat},
                           {"Note", FieldKind::ftString}});
        Import(table, bytes, true);
        EXPECT_EQ(TableTexts(table), expected) << name;
    }
}

}  // namespace
}  // namespace kelvane

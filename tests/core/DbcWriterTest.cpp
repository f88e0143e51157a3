#include "core/table/Field.h"
#include "core/workspace/WorkspaceFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ByteFieldSample;
using testing::DbcBytes;
using testing::FieldSpec;
using testing::Int32At;
using testing::SpellSample;
using testing::SpellSampleFields;
using testing::TempDir;
using testing::WriteFieldDefs;

class DbcWriterTest : public ::testing::Test {
  protected:
    // Index plus the given columns, open and empty.
    void Build(const std::vector<FieldSpec>& fields) {
        table_.ClearFieldDefs();
        table_.AddFieldDef("Index", FieldKind::ftInteger, true);
        for (const FieldSpec& field : fields) {
            table_.AddFieldDef(field.Name, field.Kind, false);
        }
        table_.OpenEmpty();
    }

    // A record whose single string column holds the text, or is blank.
    void AppendText(const std::optional<std::string>& text) {
        table_.Append();
        if (text) {
            table_.Fields(1).SetAsString(*text);
        } else {
            table_.Fields(1).Clear();
        }
        table_.Post();
    }

    std::string Save() {
        SaveDbcFile(ws_, dir_.File("Out.dbc"));
        return dir_.Read("Out.dbc");
    }

    std::string SaveFailure(const std::string& path) {
        try {
            SaveDbcFile(ws_, path);
        } catch (const KelvaneError& error) {
            return error.what();
        }
        ADD_FAILURE() << "saving " << path << " did not fail";
        return {};
    }

    std::string Put(const std::string& name, const DbcBytes& file) {
        dir_.Write(name, file.Bytes());
        return dir_.File(name);
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir_;
    Workspace ws_;
    RecordTable& table_ = ws_.Table;
};

TEST_F(DbcWriterTest, NoTableIsRefused) {
    EXPECT_EQ(SaveFailure(dir_.File("Out.dbc")), "DataSet not exists");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{});
}

TEST_F(DbcWriterTest, NoRecordsGiveAHeaderAndAOneByteBlock) {
    Build({{"Name", FieldKind::ftString}, {"Rank"}});

    const std::string bytes = Save();

    EXPECT_EQ(bytes, DbcBytes().Header(0, 2, 8, 1).Raw(std::string(1, '\0')).Bytes());
}

struct PlacementCase {
    const char* Label;
    std::vector<std::optional<std::string>> Texts;  // nullopt: a blank cell
    std::vector<int32_t> Offsets;
    std::string Block;
};

TEST_F(DbcWriterTest, StringsAreTrimmedAndPlacedOnceInFirstMetOrder) {
    const std::vector<PlacementCase> cases = {
        {"trailing blank", {"Fireball ", "Fireball"}, {1, 1}, std::string("\0Fireball\0", 10)},
        {"case differs", {"Fire", "fire"}, {1, 6}, std::string("\0Fire\0fire\0", 11)},
        {"empty, blanks only, blank cell",
         {"", "   ", std::nullopt, "\t x \r\n"},
         {0, 0, 0, 1},
         std::string("\0x\0", 3)},
        {"first met first placed",
         {"b", "a", "b", "c"},
         {1, 3, 1, 5},
         std::string("\0b\0a\0c\0", 7)},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.Label);
        Build({{"Name", FieldKind::ftString}});
        for (const auto& text : c.Texts) {
            AppendText(text);
        }

        const std::string bytes = Save();

        const size_t records = c.Texts.size();
        ASSERT_EQ(bytes.size(), 20 + 4 * records + c.Block.size());
        EXPECT_EQ(Int32At(bytes, 16), static_cast<int32_t>(c.Block.size()));
        for (size_t i = 0; i < records; ++i) {
            EXPECT_EQ(Int32At(bytes, 20 + 4 * i), c.Offsets[i]) << "record " << i;
        }
        EXPECT_EQ(bytes.substr(20 + 4 * records), c.Block);
    }
}

TEST_F(DbcWriterTest, NumbersAreWrittenAs32BitCells) {
    Build({{"Count"}, {"Speed", FieldKind::ftFloat}});
    const double largest = std::numeric_limits<float>::max();
    // float, then the cell expected: the nearest float
    const std::vector<std::pair<double, uint32_t>> floats = {
        {0.1, 0x3DCCCCCD},
        {-2.5, 0xC0200000},
        {largest + 1e30, 0x7F7FFFFF},  // nearer to the largest float than to infinity
        {std::numeric_limits<double>::infinity(), 0x7F800000},
        {-std::numeric_limits<double>::infinity(), 0xFF800000},
    };
    for (const auto& [value, cell] : floats) {
        table_.Append();
        table_.Fields(1).SetAsInteger(-5);
        table_.Fields(2).SetAsFloat(value);
        table_.Post();
    }
    table_.Append();
    table_.Fields(1).Clear();
    table_.Fields(2).Clear();
    table_.Post();

    const std::string bytes = Save();

    for (size_t i = 0; i < floats.size(); ++i) {
        EXPECT_EQ(Int32At(bytes, 20 + 8 * i), -5);
        EXPECT_EQ(static_cast<uint32_t>(Int32At(bytes, 24 + 8 * i)), floats[i].second)
            << floats[i].first;
    }
    const size_t blank = 20 + 8 * floats.size();
    EXPECT_EQ(Int32At(bytes, blank), 0);
    EXPECT_EQ(Int32At(bytes, blank + 4), 0);
}

TEST_F(DbcWriterTest, RecordsAreWrittenInIndexOrderAndThePendingEditIsPosted) {
    Build({{"Value"}});
    for (int value : {10, 20, 30}) {
        table_.Append();
        table_.Fields(1).SetAsInteger(value);
        table_.Post();
    }
    table_.First();
    table_.Edit();
    table_.Fields(0).SetAsInteger(5);
    table_.Post();  // the record with 10 moves to the end
    table_.First();
    table_.Edit();
    table_.Fields(1).SetAsInteger(21);  // left in editing

    const std::string bytes = Save();

    EXPECT_EQ(Int32At(bytes, 20), 21);
    EXPECT_EQ(Int32At(bytes, 24), 30);
    EXPECT_EQ(Int32At(bytes, 28), 10);
    EXPECT_EQ(table_.State(), TableState::Browse);
    EXPECT_EQ(table_.CurrentRow(), 0);  // the record that was being edited stays current
}

TEST_F(DbcWriterTest, LoadSaveLoadKeepsEveryCellAndTheBytes) {
    const std::string path = Put("Spell.dbc", SpellSample());
    WriteFieldDefs(path, SpellSampleFields());
    OpenDbcTable(ws_, path);
    std::vector<std::string> before;
    for (int row = 0; row < table_.RecordCount(); ++row) {
        for (int column = 0; column < table_.FieldCount(); ++column) {
            before.push_back(table_.CellText(row, column));
        }
    }

    const std::string bytes = Save();
    WriteFieldDefs(dir_.File("Out.dbc"), SpellSampleFields());
    OpenDbcTable(ws_, dir_.File("Out.dbc"));

    EXPECT_EQ(bytes, SpellSample().Bytes());
    std::vector<std::string> after;
    for (int row = 0; row < table_.RecordCount(); ++row) {
        for (int column = 0; column < table_.FieldCount(); ++column) {
            after.push_back(table_.CellText(row, column));
        }
    }
    EXPECT_EQ(after, before);
}

// A table holds floats as doubles, and the hardware makes a signalling NaN quiet on the way
// there and back; every pattern must still be saved as it was loaded.
TEST_F(DbcWriterTest, FloatCellsOfEveryPatternAreSavedAsLoaded) {
    const std::vector<uint32_t> patterns = {0x7F800001, 0xFFBFFFFF, 0x7FC00001, 0xFFC00000,
                                            0x7FFFFFFF, 0x80000000, 0x00000001, 0xFF800000};
    DbcBytes file;
    file.Header(static_cast<int32_t>(patterns.size()), 1, 4, 1);
    for (const uint32_t pattern : patterns) {
        file.Int(static_cast<int32_t>(pattern));
    }
    const std::string path = Put("Speeds.dbc", file.Raw(std::string(1, '\0')));
    WriteFieldDefs(path, {{"Speed", FieldKind::ftFloat}});
    OpenDbcTable(ws_, path);

    EXPECT_EQ(Save(), file.Bytes());
}

TEST_F(DbcWriterTest, LoadedTextsGoBackByteForByteAndTypedTextsAreTrimmed) {
    // Three cells share the loaded text "Fire " and one holds " fire"; the second record's
    // first cell is then typed over with " Fire\r\n".
    DbcBytes file;
    file.Header(3, 2, 8, 13);
    file.Int(1).Int(1);
    file.Int(1).Int(7);
    file.Int(1).Int(0);
    const std::string path = Put("Names.dbc", file.Raw(std::string("\0Fire \0 fire\0", 13)));
    WriteFieldDefs(path, {{"Name", FieldKind::ftString}, {"Other", FieldKind::ftString}});
    OpenDbcTable(ws_, path);
    table_.Next();
    table_.Edit();
    table_.Fields(1).SetAsString(" Fire\r\n");

    const std::string bytes = Save();

    DbcBytes expected;
    expected.Int(1).Int(1);
    expected.Int(7).Int(12);
    expected.Int(1).Int(0);
    expected.Raw(std::string("\0Fire \0Fire\0 fire\0", 18));
    EXPECT_EQ(bytes.substr(20), expected.Bytes());
}

TEST_F(DbcWriterTest, ByteFieldLayoutIsKeptByteForByte) {
    DbcBytes onlyBytes;
    onlyBytes.Header(1, 4, 4, 1).Byte(1).Byte(2).Byte(3).Byte(4).Raw(std::string(1, '\0'));
    for (const DbcBytes& file : {ByteFieldSample(), onlyBytes}) {
        OpenDbcTable(ws_, Put("Bytes.dbc", file));

        EXPECT_EQ(Save(), file.Bytes());
    }
}

TEST_F(DbcWriterTest, ByteFieldsOfFloatAndStringColumnsTakeWholeNumbers) {
    const DbcBytes file =
        DbcBytes().Header(1, 3, 6, 1).Int(9).Byte(3).Byte(250).Raw(std::string(1, '\0'));
    const std::string path = Put("Bytes.dbc", file);
    WriteFieldDefs(path, {{"Id"}, {"Scale", FieldKind::ftFloat}, {"Tag", FieldKind::ftString}});
    OpenDbcTable(ws_, path);
    EXPECT_EQ(Save(), file.Bytes());

    table_.Edit();
    table_.Fields(3).SetAsString("12");
    EXPECT_EQ(Save()[25], '\x0C');

    struct Refused {
        int Column;
        const char* Text;
    };
    for (const Refused& refused : {Refused{2, "2.5"}, Refused{2, "-1"}, Refused{3, "256"}}) {
        SCOPED_TRACE(refused.Text);
        OpenDbcTable(ws_, path);
        table_.Edit();
        if (refused.Column == 2) {
            table_.Fields(2).SetAsFloat(std::stod(refused.Text));
        } else {
            table_.Fields(3).SetAsString(refused.Text);
        }

        const std::string message = SaveFailure(path);

        EXPECT_NE(message.find(table_.ColumnName(refused.Column)), std::string::npos) << message;
        EXPECT_EQ(dir_.Read("Bytes.dbc"), file.Bytes());
    }
}

TEST_F(DbcWriterTest, ByteValueOutOfRangeStopsTheSaveAndKeepsTheOldFile) {
    const DbcBytes file = ByteFieldSample();
    const std::string path = Put("Bytes.dbc", file);
    WriteFieldDefs(path, {{"Id"}, {"Level"}, {"Flags"}});
    OpenDbcTable(ws_, path);
    table_.Last();
    table_.Edit();
    table_.Fields(3).SetAsInteger(256);

    const std::string message = SaveFailure(path);

    EXPECT_EQ(message.rfind("Cannot save \"" + path + "\": ", 0), 0u) << message;
    EXPECT_NE(message.find("\"Flags\" of record 2 holds 256"), std::string::npos) << message;
    EXPECT_EQ(dir_.Read("Bytes.dbc"), file.Bytes());
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Bytes.dbc", "Bytes.ini"}));
    EXPECT_FALSE(table_.NotificationsSuspended());
}

TEST_F(DbcWriterTest, ColumnsThatNoLongerMatchTheByteLayoutGetWholeCells) {
    const std::string path =
        Put("Bytes.dbc",
            DbcBytes().Header(1, 3, 9, 1).Int(7).Int(-2).Byte(200).Raw(std::string(1, '\0')));
    ws_.Defs[0].Name = "A";
    ws_.Defs[1].Name = "B";
    LoadDbcFile(ws_, path, false, 2);

    EXPECT_EQ(Save(),
              DbcBytes().Header(1, 2, 8, 1).Int(7).Int(-2).Raw(std::string(1, '\0')).Bytes());
}

TEST_F(DbcWriterTest, FailedWritesLeaveNothingBehind) {
    Build({{"Name", FieldKind::ftString}});
    AppendText("x");

    const std::string missing = dir_.File("no such folder/Out.dbc");
    EXPECT_EQ(SaveFailure(missing).rfind("Cannot create file \"" + missing + "\". ", 0), 0u);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{});
}

TEST_F(DbcWriterTest, StringsBeyond16MiBAreRefusedAndTheOldFileKept) {
    const std::string old = DbcBytes().Header(0, 1, 4, 1).Raw(std::string(1, '\0')).Bytes();
    dir_.Write("Out.dbc", old);
    Build({{"Text", FieldKind::ftString}});
    // 4200 distinct texts of 4000 characters: a little over 16 MiB.
    std::string text(4000, 'a');
    for (int i = 0; i < 4200; ++i) {
        const std::string number = std::to_string(i);
        text.replace(0, number.size(), number);
        AppendText(text);
    }

    const std::string message = SaveFailure(dir_.File("Out.dbc"));

    EXPECT_NE(message.find("16 MiB"), std::string::npos) << message;
    EXPECT_EQ(dir_.Read("Out.dbc"), old);
}

TEST_F(DbcWriterTest, RecordsWithoutFieldsCannotBeWritten) {
    Build({});
    EXPECT_EQ(Save(), DbcBytes().Header(0, 0, 0, 1).Raw(std::string(1, '\0')).Bytes());

    table_.Append();
    table_.Post();
    EXPECT_NE(SaveFailure(dir_.File("Out.dbc")).find("no fields"), std::string::npos);
}

}  // namespace
}  // namespace kelvane

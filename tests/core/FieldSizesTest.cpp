#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::DbcBytes;
using testing::FieldSpec;
using testing::TempDir;
using testing::WriteFieldDefs;

constexpr int kTrailingInts = 36;

// A character record as some clients keep it: an ID, four one-byte cells right after it
// (race, class, gender, outfit), then 36 integers: 152 bytes for 41 fields.
DbcBytes OutfitFile() {
    DbcBytes file;
    file.Header(2, 5 + kTrailingInts, 152, 1);
    for (const auto& [id, race, cls] : {std::tuple{1, 1, 1}, std::tuple{2, 10, 255}}) {
        file.Int(id)
            .Byte(static_cast<uint8_t>(race))
            .Byte(static_cast<uint8_t>(cls))
            .Byte(0)
            .Byte(1);
        for (int cell = 0; cell < kTrailingInts; ++cell) {
            file.Int(id * 100 + cell);
        }
    }
    return file.Raw(std::string(1, '\0'));
}

std::vector<FieldSpec> OutfitFields() {
    std::vector<FieldSpec> fields = {{"ID"},
                                     {"Race", FieldKind::ftInteger, false, 8},
                                     {"Class", FieldKind::ftInteger, false, 8},
                                     {"Gender", FieldKind::ftInteger, false, 8},
                                     {"Outfit", FieldKind::ftInteger, false, 8}};
    for (int cell = 0; cell < kTrailingInts; ++cell) {
        fields.push_back({"Item" + std::to_string(cell)});
    }
    return fields;
}

class FieldSizesTest : public ::testing::Test {
  protected:
    std::string Put(const std::string& name, const DbcBytes& file) {
        dir_.Write(name, file.Bytes());
        return dir_.File(name);
    }

    template <typename Action>
    std::string FailureOf(Action action) {
        try {
            action();
        } catch (const KelvaneError& error) {
            return error.what();
        }
        ADD_FAILURE() << "no failure";
        return {};
    }

    TempDir dir_;
    Workspace ws_;
    RecordTable& table_ = ws_.Table;
};

TEST_F(FieldSizesTest, ByteCellsRightAfterTheIdReadAndSaveWhereTheSizesPutThem) {
    const DbcBytes file = OutfitFile();
    const std::string path = Put("CharStartOutfit.dbc", file);
    WriteFieldDefs(path, OutfitFields());

    const LoadReport report = OpenDbcTable(ws_, path);

    EXPECT_TRUE(report.HasByteFields);
    ASSERT_EQ(table_.RecordCount(), 2);
    EXPECT_EQ(table_.IntegerAt(0, 2), 1);  // race 1, not 257 for race 1 + class 1
    EXPECT_EQ(table_.IntegerAt(0, 3), 1);
    EXPECT_EQ(table_.IntegerAt(1, 2), 10);
    EXPECT_EQ(table_.IntegerAt(1, 3), 255);
    EXPECT_EQ(table_.IntegerAt(1, 5), 1);
    EXPECT_EQ(table_.IntegerAt(1, 6), 200);  // the first integer after the bytes
    EXPECT_EQ(table_.IntegerAt(1, 41), 235);
    EXPECT_EQ(ws_.FileLayout.Offset(5), 8u);

    SaveDbcFile(ws_, dir_.File("Out.dbc"));
    EXPECT_EQ(dir_.Read("Out.dbc"), file.Bytes());
}

TEST_F(FieldSizesTest, SixteenBitCellsAreUnsignedAndMixWithTheOthers) {
    DbcBytes file;
    file.Header(1, 4, 11, 1).Int(7).Raw(std::string("\xFF\xFF", 2)).Byte(3).Int(-5);
    file.Raw(std::string(1, '\0'));
    const std::string path = Put("Mixed.dbc", file);
    WriteFieldDefs(path, {{"ID", FieldKind::ftInteger, false, 32},
                          {"Model", FieldKind::ftInteger, false, 16},
                          {"Flag", FieldKind::ftFloat, false, 8},
                          {"Value"}});

    OpenDbcTable(ws_, path);

    EXPECT_EQ(table_.IntegerAt(0, 2), 65535);
    EXPECT_EQ(table_.FloatAt(0, 3), 3.0);
    EXPECT_EQ(table_.IntegerAt(0, 4), -5);
    SaveDbcFile(ws_, dir_.File("Out.dbc"));
    EXPECT_EQ(dir_.Read("Out.dbc"), file.Bytes());
}

TEST_F(FieldSizesTest, SizesThatDoNotAddUpToTheRecordStopTheLoad) {
    const std::string path = Put("CharStartOutfit.dbc", OutfitFile());
    std::vector<FieldSpec> fields = OutfitFields();
    fields[4].Bits = 16;  // 153 bytes
    WriteFieldDefs(path, fields);

    const std::string message = FailureOf([&] { OpenDbcTable(ws_, path); });

    EXPECT_NE(message.find("\"" + path + "\" has records of 152 bytes"), std::string::npos)
        << message;
    EXPECT_NE(message.find("CharStartOutfit.ini\" add up to 153 bytes"), std::string::npos)
        << message;
    EXPECT_NE(message.find("Nothing was loaded."), std::string::npos) << message;
    EXPECT_FALSE(table_.Active());
}

TEST_F(FieldSizesTest, SizesOtherThan8Or16Or32BitsAreRefusedNamingTheFile) {
    for (const char* size : {"12", "64", "0", "wide", "-8"}) {
        SCOPED_TRACE(size);
        const std::string path =
            Put("Odd.dbc", DbcBytes().Header(0, 1, 4, 1).Raw(std::string(1, '\0')));
        dir_.Write("Odd.ini", std::string("[Field size]\r\nField 0=") + size + "\r\n");

        const std::string message = FailureOf([&] { OpenDbcTable(ws_, path); });

        EXPECT_NE(message.find(dir_.File("Odd.ini")), std::string::npos) << message;
        EXPECT_NE(message.find("8, 16 or 32 bits"), std::string::npos) << message;
        EXPECT_FALSE(table_.Active());
    }
}

TEST_F(FieldSizesTest, AValueThatDoesNotFitItsCellStopsTheSaveNamingColumnAndRecord) {
    const struct {
        int Bits;
        int32_t Value;
        const char* Says;
    } cases[] = {
        {8, 256,
         "the byte field \"Cell\" of record 1 holds 256, but a byte field holds a whole "
         "number from 0 to 255"},
        {16, 65536,
         "the 16-bit field \"Cell\" of record 1 holds 65536, but a 16-bit field "
         "holds a whole number from 0 to 65535"},
        {16, -1, "the 16-bit field \"Cell\" of record 1 holds -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bits);
        DbcBytes file;
        file.Header(1, 2, 4 + c.Bits / 8, 1)
            .Int(1)
            .Raw(std::string(static_cast<size_t>(c.Bits / 8), '\0'));
        const std::string path = Put("Cells.dbc", file.Raw(std::string(1, '\0')));
        WriteFieldDefs(path, {{"ID"}, {"Cell", FieldKind::ftInteger, false, c.Bits}});
        OpenDbcTable(ws_, path);
        table_.Edit();
        table_.Fields(2).SetAsInteger(c.Value);

        const std::string message = FailureOf([&] { SaveDbcFile(ws_, path); });

        EXPECT_NE(message.find(c.Says), std::string::npos) << message;
        EXPECT_EQ(dir_.Read("Cells.dbc"), file.Bytes());
    }
}

TEST_F(FieldSizesTest, DefinitionFilesWriteSizesOnlyWhenSomeFieldHasOne) {
    WriteFieldDefs(dir_.File("Plain.dbc"), {{"ID"}, {"Name", FieldKind::ftString}});
    EXPECT_EQ(dir_.Read("Plain.ini").find("[Field size]"), std::string::npos);

    WriteFieldDefs(dir_.File("Sized.dbc"), {{"ID"}, {"Race", FieldKind::ftInteger, false, 8}});
    const std::string sized = dir_.Read("Sized.ini");
    EXPECT_NE(sized.find("[Field size]\r\nField 0=32\r\nField 1=8\r\n"), std::string::npos)
        << sized;
}

TEST_F(FieldSizesTest, ANewTableTakesTheSizesOfItsDefinitions) {
    WriteFieldDefs(dir_.File("New.dbc"), {{"ID"}, {"Race", FieldKind::ftInteger, false, 8}});
    const int fieldCount = ImportFieldDefFile(dir_.File("New.ini"), ws_.Defs);
    EXPECT_EQ(fieldCount, 2);
    EXPECT_EQ(LayoutOfNewTable(FieldBitsOf(ws_.Defs, fieldCount)),
              CellLayout(std::vector<uint8_t>{4, 1}));
    EXPECT_EQ(LayoutOfNewTable({0, 0}), CellLayout());
}

}  // namespace
}  // namespace kelvane

// Loading only some columns of a table, as commands that read a few columns of a big file do.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/files/FileIo.h"
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
using testing::TempDir;
using testing::WriteFieldDefs;

class SomeColumnsLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Two records of an id, a name, a scale and a byte of flags; the block is "\0Fire\0Ice\0".
        DbcBytes file;
        file.Header(2, 4, 13, 10);
        file.Int(7).Int(1).Float(1.5F).Byte(3);
        file.Int(9).Int(6).Float(2.5F).Byte(200);
        file.Raw(std::string("\0Fire\0Ice\0", 10));
        dir_.Write("Spell.dbc", file.Bytes());
        path_ = dir_.File("Spell.dbc");
        WriteFieldDefs(path_, {{"ID", FieldKind::ftInteger},
                               {"Name", FieldKind::ftString},
                               {"Scale", FieldKind::ftFloat},
                               {"Flags", FieldKind::ftInteger, false, 8}});
    }

    std::string ColumnNamesText() const {
        std::string names;
        for (int column = 0; column < ws_.Table.FieldCount(); ++column) {
            names += (column > 0 ? "," : "") + ws_.Table.ColumnName(column);
        }
        return names;
    }

    TempDir dir_;
    std::string path_;
    Workspace ws_;
};

TEST_F(SomeColumnsLoadTest, BuildsIndexAndTheNamedColumnsWithTheirCells) {
    // Names compare without case, in any order; a name no column has is left out.
    const std::array<std::string_view, 3> names{"flags", "NAME", "Missing"};

    OpenDbcTable(ws_, path_, {}, names);

    EXPECT_EQ(ColumnNamesText(), "Index,Name,Flags");
    ASSERT_EQ(ws_.Table.RecordCount(), 2);
    EXPECT_EQ(ws_.Table.StringAt(0, 1), "Fire");
    EXPECT_EQ(ws_.Table.StringAt(1, 1), "Ice");
    EXPECT_EQ(ws_.Table.IntegerAt(1, 2), 200);
    EXPECT_THROW(ws_.Table.FieldByName("Missing"), KelvaneError);
}

TEST_F(SomeColumnsLoadTest, SuchATableIsNeverSavedAndAFullLoadCanBeAgain) {
    const std::string before = ReadWholeFile(path_, NamedBy::User);
    const std::array<std::string_view, 1> names{"ID"};
    OpenDbcTable(ws_, path_, {}, names);

    EXPECT_THROW(SaveDbcFile(ws_, path_), KelvaneError);
    EXPECT_THROW(EncodeDbcTable(ws_), KelvaneError);
    EXPECT_EQ(ReadWholeFile(path_, NamedBy::User), before);

    OpenDbcTable(ws_, path_);
    EXPECT_EQ(ColumnNamesText(), "Index,ID,Name,Scale,Flags");
    SaveDbcFile(ws_, path_);
    EXPECT_EQ(ReadWholeFile(path_, NamedBy::User), before);
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
using namespace std::string_literals;

// The block holds "" at 0, "Fire" at 1 and "Nova" at 6.
const std::string kBlock("\0Fire\0Nova\0", 11);

// One record per name cell, each an ID and the cell.
DbcBytes NameFile(const std::vector<int32_t>& nameCells, const std::string& block = kBlock) {
    DbcBytes file;
    file.Header(static_cast<int32_t>(nameCells.size()), 2, 8, static_cast<int32_t>(block.size()));
    int32_t id = 1;
    for (const int32_t cell : nameCells) {
        file.Int(id++).Int(cell);
    }
    return file.Raw(block);
}

class StringBlockFitTest : public ::testing::Test {
  protected:
    LoadReport Load(const DbcBytes& file, const std::vector<FieldSpec>& fields) {
        const std::string path = dir_.File("Names.dbc");
        dir_.Write("Names.dbc", file.Bytes());
        WriteFieldDefs(path, fields);
        return OpenDbcTable(ws_, path);
    }

    TempDir dir_;
    Workspace ws_;
};

const std::vector<FieldSpec> kIdAndName = {{"ID"}, {"Name", FieldKind::ftString}};

TEST_F(StringBlockFitTest, JudgesTheCellsOfTheStringColumnsAgainstTheBlock) {
    const struct {
        const char* Label;
        DbcBytes File;
        std::vector<FieldSpec> Fields;
        int MisreadCells;  // of the column Name
        int DroppedTexts;
    } cases[] = {
        {"every text pointed at, empty texts too", NameFile({1, 6, 0, 6}), kIdAndName, 0, 0},
        {"into the middle of a text", NameFile({2, 6}), kIdAndName, 1, 1},
        {"outside the block", NameFile({1, 6, 400}), kIdAndName, 1, 0},
        {"past the block's last terminator", NameFile({1, 6}, std::string("\0Fire\0Nova", 10)),
         kIdAndName, 1, 0},
        {"a text nobody points at", NameFile({1, 1}), kIdAndName, 0, 1},
        {"no string column at all", NameFile({1, 6}), {{"ID"}, {"Name"}}, 0, 2},
        {"the string cell is read as a float",
         NameFile({1, 6}),
         {{"ID"}, {"Name", FieldKind::ftFloat}},
         0,
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Label);

        const StringBlockFit fit = Load(c.File, c.Fields).TextFit;

        const int misread = fit.MisreadColumns.empty() ? 0 : fit.MisreadColumns[0].Cells;
        EXPECT_EQ(misread, c.MisreadCells);
        if (misread > 0) {
            EXPECT_EQ(fit.MisreadColumns[0].Column, "Name");
        }
        EXPECT_EQ(fit.DroppedTexts, c.DroppedTexts);
        EXPECT_EQ(fit.Fits(), c.MisreadCells == 0 && c.DroppedTexts == 0);
    }
}

TEST_F(StringBlockFitTest, AnIntegerColumnReadAsAStringIsNamedInTheProblem) {
    // The second column holds small numbers, most of which point into "Fire" or "Nova".
    DbcBytes file;
    file.Header(3, 3, 12, 11);
    file.Int(1).Int(1).Int(3);
    file.Int(2).Int(6).Int(8);
    file.Int(3).Int(1).Int(1);
    file.Raw(kBlock);

    const StringBlockFit fit =
        Load(file, {{"ID"}, {"Name", FieldKind::ftString}, {"Level", FieldKind::ftString}}).TextFit;

    EXPECT_EQ(fit.Problems(),
              "2 cells of the string column \"Level\" do not point at the start of a text, so "
              "saving would change what they hold");
}

TEST_F(StringBlockFitTest, DefinitionsForAnotherNumberOfFieldsAreNotedOnce) {
    const struct {
        int FileFields;
        int DefinedFields;
        std::string Note;
    } cases[] = {
        {3, 5,
         "Names.ini describes 5 fields; Names.dbc has 3: the definitions after the 3rd are not "
         "used, and column kinds may be shifted."},
        {5, 3,
         "Names.ini describes 3 fields; Names.dbc has 5: columns after the 3rd are integers, "
         "and column kinds may be shifted."},
        {2, 2, ""},
        {2, 0, ""},  // no definitions at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Note);
        DbcBytes file;
        file.Header(1, c.FileFields, 4 * c.FileFields, 1);
        for (int field = 0; field < c.FileFields; ++field) {
            file.Int(field);
        }
        file.Raw(std::string(1, '\0'));
        dir_.Write("Names.dbc", file.Bytes());
        std::filesystem::remove(dir_.File("Names.ini"));
        std::vector<FieldSpec> fields;
        for (int field = 0; field < c.DefinedFields; ++field) {
            fields.push_back({"F" + std::to_string(field)});
        }
        if (!fields.empty()) {
            WriteFieldDefs(dir_.File("Names.dbc"), fields);
        }

        const LoadReport report = OpenDbcTable(ws_, dir_.File("Names.dbc"));

        EXPECT_EQ(report.DefinitionsNote, c.Note);
        EXPECT_EQ(report.Warning(dir_.File("Names.dbc")), c.Note);
    }
}

TEST_F(StringBlockFitTest, TextsWithBlanksAndControlCharactersRoundTripByteForByte) {
    // A block already de-duplicated in first-met order, as client files are.
    const std::string block = "\0 leading\0trailing\r\n\0\ttab\0inner  blanks \0"s;
    DbcBytes file;
    file.Header(3, 3, 12, static_cast<int32_t>(block.size()));
    file.Int(1).Int(1).Int(10);
    file.Int(2).Int(21).Int(1);
    file.Int(3).Int(26).Int(0);
    file.Raw(block);
    Load(file, {{"ID"}, {"Name", FieldKind::ftString}, {"Tip", FieldKind::ftString}});

    SaveDbcFile(ws_, dir_.File("Out.dbc"));

    EXPECT_EQ(dir_.Read("Out.dbc"), file.Bytes());
}

TEST_F(StringBlockFitTest, WhatASaveKeepsForAReaderIsNeverCalledAMisfit) {
    const std::string longText(70000, 'L');
    const struct {
        const char* Label;
        DbcBytes File;
        bool Fits;
        std::string Saved;  // the file a save writes; empty: the file as it was
    } cases[] = {
        {"a text far longer than a cell was once cut to",
         NameFile({1, 0}, "\0"s + longText + "\0"s), true, ""},
        {"only empty texts and no block at all", NameFile({0, 0}, ""), true,
         NameFile({0, 0}, "\0"s).Bytes()},
        {"a cell past a block without bytes", NameFile({0, 3}, ""), false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Label);

        const LoadReport report = Load(c.File, kIdAndName);

        EXPECT_EQ(report.TextFit.Fits(), c.Fits) << report.TextFit.Problems();
        EXPECT_EQ(report.Warning("Names.dbc").empty(), c.Fits) << report.Warning("Names.dbc");
        if (c.Fits) {
            SaveDbcFile(ws_, dir_.File("Out.dbc"));
            EXPECT_EQ(dir_.Read("Out.dbc"), c.Saved.empty() ? c.File.Bytes() : c.Saved);
        }
    }
}

}  // namespace
}  // namespace kelvane

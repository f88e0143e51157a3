// The patch text of a diff, applied to the older table, gives the newer table's records: saved,
// the patched table is byte for byte the newer one. What patch text cannot carry is left out,
// said so, and nothing else is written wrong.
#include "core/table/Field.h"
#include "exchange/DiffPatch.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "exchange/PatchReader.h"
#include "exchange/TableDiff.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/exchange/RawDbcTables.h"

namespace kelvane {
namespace {

using testing::FieldSpec;
using testing::RawRecord;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

float FloatOfBits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

const std::vector<FieldSpec> kSpellFields = {
    {"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}, {"Count"}};

// Four spells whose texts need quoting or hold quotes, and floats of every sort.
std::vector<RawRecord> Spells() {
    return {{1, std::string("Fireball"), 1.5f, 3},
            {2, std::string("Frost, Nova"), 0.1f, -1},
            {3, std::string(""), 0.0f, 0},
            {4, std::string("say \"hi\""), -2.25f, 7}};
}

std::vector<RawRecord> Changed(std::vector<RawRecord> records,
                               const std::function<void(std::vector<RawRecord>&)>& change) {
    change(records);
    return records;
}

// Records as a saved file compares them: floats bit for bit.
bool SameBits(const RawRecord& left, const RawRecord& right) {
    const auto bits = [](const testing::RawCell& cell) {
        const auto* number = std::get_if<float>(&cell);
        return number ? std::optional(std::bit_cast<uint32_t>(*number)) : std::nullopt;
    };
    for (size_t i = 0; i < left.size(); ++i) {
        if (bits(left[i]) ? bits(left[i]) != bits(right[i]) : left[i] != right[i]) {
            return false;
        }
    }
    return true;
}

struct DiffCase {
    std::string Name;
    std::vector<FieldSpec> Fields;
    std::vector<RawRecord> Old;
    std::vector<RawRecord> New;
    size_t Added = 0;
    size_t Changed = 0;
    int Unchanged = 0;
};

// Records of Spells() with random changes of every kind and records added at the end.
DiffCase RandomCase(unsigned seed) {
    std::mt19937 random(seed);
    const std::vector<std::string> texts = {"",      "a",         "Fire, Ball", "say \"hi\"",
                                            "x,\"y", "tab\there", "100%",       "a=b:c"};
    const std::vector<float> floats = {0.0f,
                                       -0.0f,
                                       1.5f,
                                       0.1f,
                                       1e-45f,
                                       3.4e38f,
                                       kInfinity,
                                       -kInfinity,
                                       FloatOfBits(0x7FC00000),
                                       FloatOfBits(0x7FC00001),
                                       FloatOfBits(0xFFC00000),
                                       FloatOfBits(0x7F800001),
                                       FloatOfBits(0x807FFFFF),
                                       16777217.0f};
    const std::vector<int32_t> integers = {0, 1, -1, kIntMin, kIntMax, 255};
    const auto pick = [&random](const auto& values) {
        return values[std::uniform_int_distribution<size_t>(0, values.size() - 1)(random)];
    };
    const auto randomRecord = [&](int32_t key) {
        return RawRecord{key, pick(texts), pick(floats), pick(integers)};
    };
    DiffCase generated{"random " + std::to_string(seed), kSpellFields, {}, {}};
    for (int32_t key = 0; key < 200; ++key) {
        generated.Old.push_back(randomRecord(key));
    }
    generated.New = generated.Old;
    for (RawRecord& record : generated.New) {
        if (random() % 3 != 0) {
            continue;
        }
        record = randomRecord(std::get<int32_t>(record[0]));
    }
    for (int32_t key = 1000; key < 1020; ++key) {
        generated.New.push_back(randomRecord(key));
    }
    // Counted from what was generated: a random change may give a record its old cells back.
    generated.Added = 20;
    for (size_t i = 0; i < generated.Old.size(); ++i) {
        if (SameBits(generated.Old[i], generated.New[i])) {
            ++generated.Unchanged;
        } else {
            ++generated.Changed;
        }
    }
    return generated;
}

std::vector<DiffCase> Cases() {
    std::vector<DiffCase> cases = {
        {"nothing changed", kSpellFields, Spells(), Spells(), 0, 0, 4},
        {"integers to both ends", kSpellFields, Spells(),
         Changed(Spells(),
                 [](auto& r) {
                     r[0][3] = kIntMin;
                     r[1][3] = kIntMax;
                 }),
         0, 2, 2},
        {"texts that need quotes, hold quotes or go empty", kSpellFields, Spells(),
         Changed(Spells(),
                 [](auto& r) {
                     r[0][1] = std::string("Fire, \"big\" Ball");
                     r[1][1] = std::string("");
                     r[2][1] = std::string("a\"b,c");
                     r[3][1] = std::string("x=1:2");
                 }),
         0, 4, 0},
        {"zero to -0 and -0 to zero", kSpellFields,
         Changed(Spells(), [](auto& r) { r[0][2] = -0.0f; }),
         Changed(Spells(), [](auto& r) { r[2][2] = -0.0f; }), 0, 2, 2},
        {"NaN and infinities", kSpellFields, Spells(),
         Changed(Spells(),
                 [](auto& r) {
                     r[0][2] = FloatOfBits(0x7FC00000);
                     r[1][2] = kInfinity;
                     r[2][2] = -kInfinity;
                     r[3][2] = FloatOfBits(0x7FC00001);
                 }),
         0, 4, 0},
        {"the same NaN bits on both sides", kSpellFields,
         Changed(Spells(), [](auto& r) { r[0][2] = FloatOfBits(0xFFFFFFFF); }),
         Changed(Spells(), [](auto& r) { r[0][2] = FloatOfBits(0xFFFFFFFF); }), 0, 0, 4},
        {"floats at the ends of the range", kSpellFields, Spells(),
         Changed(Spells(),
                 [](auto& r) {
                     r[0][2] = 1e-45f;
                     r[1][2] = 3.4028235e38f;
                     r[2][2] = 16777216.0f;
                     r[3][2] = 0.30000001f;
                 }),
         0, 4, 0},
        {"records added at the end", kSpellFields, Spells(),
         Changed(
             Spells(),
             [](auto& r) {
                 r.push_back({5, std::string("Mana, Burn"), 2.5f, 9});
                 r.push_back({6, std::string(""), -0.0f, 0});
                 r.push_back({-7, std::string("\"quoted\" at the start, later"), 0.0f, kIntMin});
             }),
         3, 0, 4},
        {"a float key of -0 beside one of 0, each its own key",
         {{"Key", FieldKind::ftFloat}, {"N"}},
         {{0.0f, 1}, {1.5f, 2}},
         {{0.0f, 1}, {1.5f, 3}, {-0.0f, 4}},
         1,
         1,
         1},
        {"a table of the key column alone",
         {{"ID"}},
         {{1}, {2}},
         {{1}, {2}, {3}, {kIntMin}},
         2,
         0,
         2},
    };
    for (unsigned seed : {1u, 2u, 3u}) {
        cases.push_back(RandomCase(seed));
    }
    return cases;
}

struct Loaded {
    std::unique_ptr<Workspace> Work = std::make_unique<Workspace>();
    explicit Loaded(const std::string& path) { OpenDbcTable(*Work, path); }
    RecordTable& Table() { return Work->Table; }
};

TEST(DiffPatchTest, AppliedToTheOlderTableItGivesTheNewerOne) {
    for (const DiffCase& diffCase : Cases()) {
        SCOPED_TRACE(diffCase.Name);
        const testing::TempDir folder;
        const std::string oldPath =
            testing::WriteRawTable(folder, "Old.dbc", diffCase.Fields, diffCase.Old);
        const std::string newPath =
            testing::WriteRawTable(folder, "New.dbc", diffCase.Fields, diffCase.New);
        Loaded older(oldPath);
        Loaded newer(newPath);
        const TableDiff diff = CompareTables(older.Table(), oldPath, newer.Table(), newPath);
        EXPECT_EQ(diff.AddedRows.size(), diffCase.Added);
        EXPECT_EQ(diff.Changed.size(), diffCase.Changed);
        EXPECT_EQ(diff.RemovedRows.size(), 0u);
        EXPECT_EQ(diff.Unchanged, diffCase.Unchanged);

        const std::string patchPath = folder.File("diff.txt");
        const DiffPatchReport report =
            WriteDiffPatchFile(older.Table(), newer.Table(), diff, patchPath);
        EXPECT_EQ(report.Warning(), "");
        EXPECT_EQ(report.Lines, static_cast<int>(diffCase.Added + diffCase.Changed));
        ApplyPatchFile(older.Table(), patchPath);
        EXPECT_EQ(EncodeDbcTable(*older.Work), EncodeDbcTable(*newer.Work))
            << folder.Read("diff.txt");
    }
}

TEST(DiffPatchTest, ChangedRecordsCarryOnlyTheirChangedCells) {
    const testing::TempDir folder;
    const std::string oldPath = testing::WriteRawTable(folder, "Old.dbc", kSpellFields, Spells());
    const std::string newPath =
        testing::WriteRawTable(folder, "New.dbc", kSpellFields, Changed(Spells(), [](auto& r) {
                                   r[1][3] = 5;
                                   r[1][1] = std::string("Frost, \"Nova\"");
                                   r[2][2] = -0.0f;
                               }));
    Loaded older(oldPath);
    Loaded newer(newPath);
    std::vector<std::string> lines;
    WriteDiffPatch(older.Table(), newer.Table(),
                   CompareTables(older.Table(), oldPath, newer.Table(), newPath),
                   [&lines](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"2:1=\"Frost, \"Nova\"\",3=5", "3:2=-0"}));
}

// Patch text cannot delete: a record only in the older table becomes a comment line, and the
// patched table keeps it beside the newer table's records.
TEST(DiffPatchTest, RemovedRecordsAreCommentLines) {
    const testing::TempDir folder;
    const std::string oldPath = testing::WriteRawTable(folder, "Old.dbc", kSpellFields, Spells());
    const std::string newPath = testing::WriteRawTable(
        folder, "New.dbc", kSpellFields,
        Changed(Spells(), [](auto& r) { r.erase(r.begin() + 1, r.begin() + 3); }));
    Loaded older(oldPath);
    Loaded newer(newPath);
    const TableDiff diff = CompareTables(older.Table(), oldPath, newer.Table(), newPath);
    EXPECT_EQ(diff.RemovedRows, (std::vector<int>{1, 2}));
    EXPECT_EQ(DiffCountsText(diff), "0 added, 0 changed, 2 removed, 2 unchanged records");
    const DiffPatchReport report =
        WriteDiffPatchFile(older.Table(), newer.Table(), diff, folder.File("diff.txt"));
    EXPECT_EQ(report.Warning(), "");
    EXPECT_EQ(folder.Read("diff.txt"),
              "// removed 2: patch text cannot delete a record\r\n"
              "// removed 3: patch text cannot delete a record\r\n");
    EXPECT_EQ(ApplyPatchFile(older.Table(), folder.File("diff.txt")).LinesApplied, 0);
}

// Values the reader would misread, skip or change are not written: each record with such a
// value gets a comment line naming its columns, the warning counts them kind by kind, and the
// rest of the record's changes still apply.
TEST(DiffPatchTest, ValuesPatchTextCannotCarryAreLeftOutAndSaidSo) {
    const testing::TempDir folder;
    const std::string oldPath = testing::WriteRawTable(folder, "Old.dbc", kSpellFields, Spells());
    const std::vector<RawRecord> newRecords = Changed(Spells(), [](auto& r) {
        r[0][1] = std::string("two\r\nlines");
        r[0][3] = 30;
        r[1][1] = std::string("a;b");
        r[2][1] = std::string("see // here");
        r[2][2] = FloatOfBits(0xFFFFFFFF);  // goes by its bits, beside a text left out
        r[3][1] = std::string("\"starts quoted");
        r.push_back({5, std::string(" padded "), 1.0f, 1});
        r.push_back({6, std::string("a\", b"), 1.0f, 1});
    });
    const std::string newPath = testing::WriteRawTable(folder, "New.dbc", kSpellFields, newRecords);
    Loaded older(oldPath);
    Loaded newer(newPath);
    const TableDiff diff = CompareTables(older.Table(), oldPath, newer.Table(), newPath);
    const DiffPatchReport report =
        WriteDiffPatchFile(older.Table(), newer.Table(), diff, folder.File("diff.txt"));
    EXPECT_EQ(folder.Read("diff.txt"),
              "1:3=30\r\n"
              "// 1: left out 1, values patch text cannot carry\r\n"
              "// 2: left out 1, values patch text cannot carry\r\n"
              "3:2=NAN(0xFFFFFFFF)\r\n"
              "// 3: left out 1, values patch text cannot carry\r\n"
              "// 4: left out 1, values patch text cannot carry\r\n"
              "5:2=1,3=1\r\n"
              "// 5: left out 1, values patch text cannot carry\r\n"
              "6:2=1,3=1\r\n"
              "// 6: left out 1, values patch text cannot carry\r\n");
    EXPECT_EQ(report.Warning(),
              "Some changes cannot be written as patch text; a comment line stands in their "
              "place:\n"
              "- values with a line break: 1 line (key '1'); the line ends at the line break, and "
              "the rest is read as a line of its own\n"
              "- values or keys with \";\" or \"//\": 2 lines (keys '2', '3'); the reader skips "
              "such lines as comments\n"
              "- values with a double quote at their start, after \"=\" or before a comma: 2 "
              "lines (keys '4', '6'); the reader takes it for quoting and misreads the values\n"
              "- texts with blanks or control characters at either end: 1 line (key '5'); a text "
              "patched in is saved without them");
    ApplyPatchFile(older.Table(), folder.File("diff.txt"));
    older.Table().First();
    EXPECT_EQ(older.Table().CellText(0, 4), "30");
    EXPECT_EQ(older.Table().CellText(0, 2), "Fireball");
    EXPECT_EQ(older.Table().CellText(2, 3), "NAN(0xFFFFFFFF)");
    EXPECT_EQ(older.Table().RecordCount(), 6);
}

// Every float of a file has a text that reads back as it; a value typed with more digits than
// the 15 written may not, when it lies that close to half way between two 32-bit floats.
TEST(DiffPatchTest, AFloatWhoseTextRoundsToTheNextFloatIsLeftOut) {
    const testing::TempDir folder;
    const std::string oldPath = testing::WriteRawTable(folder, "Old.dbc", kSpellFields, Spells());
    const std::string newPath = testing::WriteRawTable(folder, "New.dbc", kSpellFields, Spells());
    Loaded older(oldPath);
    Loaded newer(newPath);
    newer.Table().MoveTo(0);
    newer.Table().Edit();
    newer.Table().Fields(3).SetAsFloat(1 + 0x1p-24 + 0x1p-52);  // saved as 1 + 0x1p-23
    newer.Table().Post();
    std::vector<std::string> lines;
    const DiffPatchReport report = WriteDiffPatch(
        older.Table(), newer.Table(), CompareTables(older.Table(), oldPath, newer.Table(), newPath),
        [&lines](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines, std::vector<std::string>{"// 1: left out 2, values patch text cannot carry"});
    EXPECT_EQ(report.LeftOut.Of(PatchProblem::FloatBits).Lines, 1);
    EXPECT_NE(report.Warning().find("- floats whose text reads back as another 32-bit value: 1 "
                                    "line (key '1'); the value was typed with more digits"),
              std::string::npos)
        << report.Warning();
}

}  // namespace
}  // namespace kelvane

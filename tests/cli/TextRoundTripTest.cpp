// A table as real client files hold it, texts in several encodings and floats of every kind,
// taken out through each of our text formats and back: the saved file is the very same.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CliResult;
using testing::DbcBytes;
using testing::TempDir;

// Latin-1 among UTF-8 Russian and Chinese, bytes that are no text at all, a comma to quote.
const std::vector<std::string> kTexts = {
    "caf\xE9",    "\xD0\x9C\xD0\xB8\xD1\x80", "\xE4\xB8\xAD\xE6\x96\x87", "\xFF\xFE\x01\x80x",
    "Fire, Ball",
};

// -0, NaNs with a payload, a sign or signalling, infinities, denormals, the plain NaN, 0.1.
const std::vector<uint32_t> kFloatBits = {0x80000000, 0x7FC00001, 0xFFC00000, 0x7F800001,
                                          0x7F800000, 0xFF800000, 0x00000001, 0x807FFFFF,
                                          0x7FC00000, 0x3DCCCCCD};

constexpr int kRecords = 10;

class TextRoundTripTest : public ::testing::Test {
  protected:
    TextRoundTripTest() {
        ::setenv("LC_ALL", "C", 1);
        // The table as the writer saves it, so that a save of the same cells is the same bytes.
        const std::string built = PutTable(dir_, "Built.dbc", true);
        const CliResult resaved = Run({"resave", built, dir_.File("Spell.dbc")});
        EXPECT_EQ(resaved.ExitCode, 0) << resaved.Err;
        WriteDefinitions(dir_.File("Spell.dbc"));
        spells_ = dir_.File("Spell.dbc");
        // The same keys with every text empty and every float 0, for the imports to fill; of
        // the same name, which a SQLite import looks for.
        zeroed_ = PutTable(zeroDir_, "Spell.dbc", false);
    }

    CliResult Run(const std::vector<std::string>& args) {
        return testing::RunProgram(KELVANE_CLI_PATH, args, dir_);
    }

    void WriteDefinitions(const std::string& path) {
        testing::WriteFieldDefs(
            path, {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
    }

    std::string PutTable(const TempDir& dir, const std::string& name, bool filled) {
        std::string strings(1, '\0');
        std::vector<int32_t> offsets;
        for (const std::string& text : filled ? kTexts : std::vector<std::string>{}) {
            offsets.push_back(static_cast<int32_t>(strings.size()));
            strings += text + '\0';
        }
        DbcBytes bytes;
        bytes.Header(kRecords, 3, 12, static_cast<int32_t>(strings.size()));
        for (int record = 0; record < kRecords; ++record) {
            const auto at = static_cast<size_t>(record);
            bytes.Int(100 + record);
            bytes.Int(filled && at < offsets.size() ? offsets[at] : 0);
            bytes.Int(filled ? static_cast<int32_t>(kFloatBits[at]) : 0);
        }
        dir.Write(name, bytes.Raw(strings).Bytes());
        WriteDefinitions(dir.File(name));
        return dir.File(name);
    }

    // Runs the import and expects every record of the zeroed table changed and the file saved
    // as the table it came from.
    void ExpectImportRebuildsTheTable(const std::vector<std::string>& import) {
        const CliResult result = Run(import);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(dir_.Read("Out.dbc"), dir_.Read("Spell.dbc"));
    }

    TempDir dir_;
    TempDir zeroDir_;
    std::string spells_;
    std::string zeroed_;
};

TEST_F(TextRoundTripTest, CsvWithAByteOrderMarkKeepsEveryTextByteForByte) {
    CliResult result = Run({"export-csv", spells_, dir_.File("out.csv"), "--header"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string csv = dir_.Read("out.csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("\r\n100,caf\xE9,-0\r\n101,\xD0\x9C\xD0\xB8\xD1\x80,NAN(0x7FC00001)\r\n"),
              std::string::npos)
        << csv;

    result = Run({"import-csv", spells_, dir_.File("out.csv"), dir_.File("Out.dbc"), "--header"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("changed 0, added 0, unchanged 10"), std::string::npos) << result.Out;
    EXPECT_EQ(dir_.Read("Out.dbc"), dir_.Read("Spell.dbc"));

    ExpectImportRebuildsTheTable(
        {"import-csv", zeroed_, dir_.File("out.csv"), dir_.File("Out.dbc"), "--header"});
}

TEST_F(TextRoundTripTest, PatchExportAndDiffApplyBackBitForBit) {
    CliResult result = Run({"export-patch", spells_, dir_.File("all.txt")});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    ExpectImportRebuildsTheTable(
        {"apply-patch", zeroed_, dir_.File("all.txt"), dir_.File("Out.dbc")});

    result = Run({"diff", zeroed_, spells_, dir_.File("diff.txt")});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    ExpectImportRebuildsTheTable(
        {"apply-patch", zeroed_, dir_.File("diff.txt"), dir_.File("Out.dbc")});
}

TEST_F(TextRoundTripTest, SqliteKeepsMinusZeroAndNans) {
    const CliResult result = Run({"export-sqlite", spells_, dir_.File("spells.db")});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    ExpectImportRebuildsTheTable(
        {"import-sqlite", zeroed_, dir_.File("spells.db"), dir_.File("Out.dbc")});
}

}  // namespace
}  // namespace kelvane

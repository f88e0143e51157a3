#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ByteFieldSample;
using testing::DbcBytes;
using testing::SpellSample;
using testing::TempDir;
using testing::WriteFieldDefs;

// Valid files of the shapes the reader knows: 4-byte cells with strings and floats, byte
// fields without and with texts, only byte fields, no records.
std::vector<std::string> ValidFiles() {
    DbcBytes withText;
    withText.Header(2, 3, 9, 6);
    withText.Int(7).Int(1).Byte(200);
    withText.Int(8).Int(0).Byte(0);
    withText.Raw(std::string("\0Bolt\0", 6));
    const std::string terminator(1, '\0');
    return {
        SpellSample().Bytes(),
        ByteFieldSample().Bytes(),
        withText.Bytes(),
        DbcBytes()
            .Header(2, 4, 4, 1)
            .Raw("\x01\x02\x03\x04\x05\x06\x07\x08")
            .Raw(terminator)
            .Bytes(),
        DbcBytes().Header(0, 4, 16, 1).Raw(terminator).Bytes(),
    };
}

// A small deterministic generator, so every run feeds the same damaged files.
class Lcg {
  public:
    uint32_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state_ >> 33);
    }

  private:
    uint64_t state_ = 0x4B656C76616E65ull;
};

class DbcRobustnessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Definitions that make the columns integer, string, float and integer, so damaged
        // cells are read in every way.
        ws_.Current.FilePath = dir_.File("Damaged.dbc");
        ws_.Current.TableName = "Damaged";
        WriteFieldDefs(ws_.Current.FilePath, {{"Id", FieldKind::ftInteger, true},
                                              {"Name", FieldKind::ftString},
                                              {"Speed", FieldKind::ftFloat},
                                              {"Rank", FieldKind::ftInteger}});
    }

    // Loading gives a table (which then saves or refuses clearly) or a clear refusal.
    void ExpectTableOrClearError(const std::string& bytes, const std::string& label) {
        SCOPED_TRACE(label);
        try {
            LoadDbcBytes(ws_, ws_.Current.FilePath, bytes, true, 0);
            ASSERT_TRUE(ws_.Table.Active());
            EncodeDbcTable(ws_);
        } catch (const KelvaneError& error) {
            EXPECT_NE(std::string(error.what()), "");
        } catch (const std::exception& error) {
            ADD_FAILURE() << "unexpected failure: " << error.what();
        }
        EXPECT_FALSE(ws_.Table.NotificationsSuspended());
    }

    TempDir dir_;
    Workspace ws_;
};

TEST_F(DbcRobustnessTest, EveryTruncationIsLoadedOrRefused) {
    int file = 0;
    for (const std::string& bytes : ValidFiles()) {
        for (size_t length = 0; length <= bytes.size(); ++length) {
            ExpectTableOrClearError(
                bytes.substr(0, length),
                "file " + std::to_string(file) + " cut to " + std::to_string(length));
        }
        ++file;
    }
}

TEST_F(DbcRobustnessTest, EveryHeaderBitFlipIsLoadedOrRefused) {
    int file = 0;
    for (const std::string& bytes : ValidFiles()) {
        for (size_t bit = 0; bit < 8 * DbcHeaderSize; ++bit) {
            std::string damaged = bytes;
            damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
            ExpectTableOrClearError(
                damaged, "file " + std::to_string(file) + " header bit " + std::to_string(bit));
        }
        ++file;
    }
}

TEST_F(DbcRobustnessTest, RandomBitFlipsAreLoadedOrRefused) {
    Lcg random;
    int file = 0;
    for (const std::string& bytes : ValidFiles()) {
        for (int round = 0; round < 100; ++round) {
            std::string damaged = bytes;
            const uint32_t flips = 1 + random.Next() % 4;
            for (uint32_t i = 0; i < flips; ++i) {
                const size_t position = random.Next() % damaged.size();
                damaged[position] =
                    static_cast<char>(damaged[position] ^ (1 << (random.Next() % 8)));
            }
            ExpectTableOrClearError(
                damaged, "file " + std::to_string(file) + " round " + std::to_string(round));
        }
        ++file;
    }
}

}  // namespace
}  // namespace kelvane

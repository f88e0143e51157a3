#include "core/dbc/StringBlockBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

struct Placed {
    std::vector<uint32_t> Offsets;
    std::string Block;
};

// Many texts, repeated, so the table of placed texts grows several times when not reserved.
Placed PlaceTexts(size_t reservedTexts, size_t reservedBytes) {
    StringBlockBuilder builder;
    builder.Reserve(reservedTexts, reservedBytes);
    Placed placed;
    for (int round = 0; round < 2; ++round) {
        for (int text = 0; text < 5000; ++text) {
            placed.Offsets.push_back(
                builder.Place(text % 7 == 0 ? "" : "t" + std::to_string(text)));
        }
    }
    placed.Block = builder.Block();
    return placed;
}

// Reserving is only about speed: too little, exactly enough or far too much, the block and the
// offsets are those of no reservation at all.
TEST(StringBlockBuilderTest, ReservingChangesNeitherTheBlockNorTheOffsets) {
    const Placed plain = PlaceTexts(0, 0);
    ASSERT_EQ(plain.Offsets[1], plain.Offsets[5001]);
    for (const auto& [texts, bytes] :
         {std::pair<size_t, size_t>{10, 10}, {4286, plain.Block.size()}, {1'000'000, 50'000'000}}) {
        const Placed reserved = PlaceTexts(texts, bytes);
        EXPECT_EQ(reserved.Offsets, plain.Offsets) << texts;
        EXPECT_EQ(reserved.Block, plain.Block) << texts;
    }
}

}  // namespace
}  // namespace kelvane

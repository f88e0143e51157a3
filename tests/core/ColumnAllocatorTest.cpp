#include "core/table/ColumnAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace kelvane {
namespace {

// Columns cross from heap memory to mappings of their own as they grow, and back as they shrink:
// their cells must survive every move, and new cells take the value given.
TEST(ColumnAllocatorTest, CellsSurviveGrowingPastAndShrinkingBelowTheMappedSize) {
    ColumnVector<int32_t> cells(1000);
    std::iota(cells.begin(), cells.end(), 1);

    cells.resize(1'000'000, 0);  // 4 MB, mapped
    EXPECT_EQ(cells[999], 1000);
    EXPECT_EQ(cells[999'999], 0);
    cells[999'999] = -5;

    ColumnVector<int32_t> copy = cells;
    EXPECT_EQ(copy[999'999], -5);

    copy.resize(10);
    copy.shrink_to_fit();  // back to the heap
    EXPECT_EQ(copy[9], 10);
    EXPECT_EQ(cells[999'999], -5);
}

}  // namespace
}  // namespace kelvane

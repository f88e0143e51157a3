#include "bench/PairedRuns.h"

#include <gtest/gtest.h>

namespace kelvane::bench {
namespace {

TEST(PairedRunsTest, MedianOfOddAndEvenCountsAndOfNothing) {
    EXPECT_EQ(Median({3, 1, 2}), 2);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(Median({}), 0);
}

// The ratio is taken pair by pair, so a slow pair of both programs does not skew it.
TEST(PairedRunsTest, MedianRatioIsOfThePairsNotOfTheMedians) {
    const PairedRuns runs{"op", {{2, 0}, {9, 0}, {3, 0}}, {{1, 0}, {9, 0}, {1, 0}}};
    EXPECT_EQ(MedianRatio(runs), 2);
    EXPECT_EQ(MedianSeconds(runs.Kelvane), 3);
    EXPECT_EQ(MedianRatio(PairedRuns{"no floor", {{2, 0}}, {}}), 0);
}

TEST(PairedRunsTest, GoalVerdictsAndTheReadmeTable) {
    EXPECT_EQ(Verdict(1.5, 1.5), "ok");
    EXPECT_EQ(Verdict(1.51, 1.5), "MISSED");
    const std::vector<SummaryRow> rows{
        {"resave", 1.2, 1.39, 1.5}, {"dat", 0, 1.3, 1.18}, {"export-sqlite", 2.5, 1.2, 1.5, 3}};
    EXPECT_EQ(SummaryTable(rows, 1.5),
              "| Operation | Kelvane / floor | Peak memory / file |\n"
              "|---|---|---|\n"
              "| resave | 1.20x (goal 1.50x, ok) | 1.39x (goal 1.50x, ok) |\n"
              "| dat | no floor | 1.30x (goal 1.18x, MISSED) |\n"
              "| export-sqlite | 2.50x (goal 3.00x, ok) | 1.20x (goal 1.50x, ok) |\n");
}

}  // namespace
}  // namespace kelvane::bench

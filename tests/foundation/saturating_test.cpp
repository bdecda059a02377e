#include "foundation/saturating.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(Saturating, IntHelpersNeverOverflow) {
    EXPECT_EQ(MaxInt(3, -4), 3);
    EXPECT_EQ(MinInt(3, -4), -4);
    EXPECT_EQ(AbsInt(-9), 9);
    EXPECT_EQ(AbsInt(INT_MIN), INT_MIN);
}

TEST(Saturating, SumsAndTruncationsStopAtTheIntRange) {
    EXPECT_EQ(SatAdd(INT_MAX, 1), INT_MAX);
    EXPECT_EQ(SatSub(INT_MIN, 1), INT_MIN);
    EXPECT_EQ(SatAdd(-5, 3), -2);
    EXPECT_EQ(SatTrunc(-2.9), -2);
    EXPECT_EQ(SatTrunc(1e12), INT_MAX);
    EXPECT_EQ(SatTrunc(-1e12), INT_MIN);
    EXPECT_EQ(SatTrunc(std::nan("")), 0);
}

}  // namespace

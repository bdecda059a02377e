#include "shell/frame_pacing.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FramePacing, ShortFrameWaitsTheRest) {
    FramePace p = PaceFrame(33, 10, 0);
    EXPECT_EQ(p.wait, 23);
    EXPECT_EQ(p.debt, 0);
}

TEST(FramePacing, LongFrameLeavesDebtThatTheNextFramePaysOnce) {
    FramePace late = PaceFrame(33, 100, 0);
    EXPECT_EQ(late.wait, -67);
    EXPECT_EQ(late.debt, 34);

    FramePace next = PaceFrame(33, 5, late.debt);
    EXPECT_EQ(next.wait, -6);
    EXPECT_EQ(next.debt, 0);

    FramePace after = PaceFrame(33, 5, next.debt);
    EXPECT_EQ(after.wait, 28);
    EXPECT_EQ(after.debt, 0);
}

TEST(FramePacing, LaterFrameRaisesTheDebtToItsOwnExcess) {
    FramePace p = PaceFrame(33, 120, 34);
    EXPECT_EQ(p.wait, -87);
    EXPECT_EQ(p.debt, 54);
    // A late frame never lowers a larger debt.
    FramePace q = PaceFrame(33, 70, 54);
    EXPECT_EQ(q.debt, 54);
}

TEST(FramePacing, FrameBetweenOneAndTwoDelaysLeavesNoDebtAndNoWait) {
    for (int elapsed : {33, 50, 66}) {
        FramePace p = PaceFrame(33, elapsed, 0);
        EXPECT_LE(p.wait, 0) << elapsed;
        EXPECT_EQ(p.debt, 0) << elapsed;
    }
    // Exactly two delays is not "more than two".
    EXPECT_EQ(PaceFrame(33, 66, 0).debt, 0);
    EXPECT_EQ(PaceFrame(33, 67, 0).debt, 1);
}

TEST(FramePacing, ExtremeClockValuesWrapInsteadOfOverflowing) {
    FramePace p = PaceFrame(INT_MAX, INT_MIN, 0);
    (void)p;  // only must not trip the sanitizer
    FramePace q = PaceFrame(33, INT_MAX, INT_MAX);
    EXPECT_EQ(q.debt, INT_MAX);
}

#include <gtest/gtest.h>

#include <climits>

#include "app/video_mode.h"

namespace {
bool Same(Size a, Size b) { return a.width == b.width && a.height == b.height; }
}  // namespace

TEST(VideoModeSearch, FallsBackToTheWholeListWhenNoModeIsInRange) {
    std::vector<Size> modes{{1024, 768}, {640, 480}};
    Size got = SearchModes(modes, {800, 600}, {800, 800}, {600, 600});
    EXPECT_TRUE(Same(got, {640, 480}));  // distance 280 beats 392
}

TEST(VideoModeSearch, TiesKeepTheEarlierMode) {
    std::vector<Size> modes{{900, 600}, {700, 600}};
    EXPECT_TRUE(Same(SearchModes(modes, {800, 600}, {0, 0}, {0, 0}), {900, 600}));
    std::vector<Size> swapped{{700, 600}, {900, 600}};
    EXPECT_TRUE(Same(SearchModes(swapped, {800, 600}, {0, 0}, {0, 0}), {700, 600}));
}

TEST(VideoModeSearch, PrefersModesInsideBothRanges) {
    std::vector<Size> modes{{800, 480}, {1280, 1024}};
    // 800x480 is nearer but its height lies outside 600..1024
    Size got = SearchModes(modes, {800, 600}, {640, 1280}, {600, 1024});
    EXPECT_TRUE(Same(got, {1280, 1024}));
    Size open = SearchModes(modes, {800, 600}, {640, 1280}, {480, 1024});
    EXPECT_TRUE(Same(open, {800, 480}));
}

TEST(VideoModeSearch, AModeInRangeButTooFarKeepsTheRequestedSize) {
    // 3000x2000 lies inside the ranges, so the whole list is not searched;
    // it is too far to be taken, so the request stays.
    std::vector<Size> modes{{3000, 2000}, {640, 480}};
    Size got = SearchModes(modes, {800, 600}, {640, 3000}, {600, 2000});
    EXPECT_TRUE(Same(got, {800, 600}));
}

TEST(VideoModeSearch, ModesTooFarAwayAreNeverTaken) {
    std::vector<Size> modes{{4000, 3000}};
    EXPECT_TRUE(Same(SearchModes(modes, {800, 600}, {0, 0}, {0, 0}), {800, 600}));
    EXPECT_TRUE(Same(SearchModes({}, {800, 600}, {0, 0}, {0, 0}), {800, 600}));
}

TEST(VideoModeScaling, UsesTheFloatRatioInDoublePrecision) {
    // 768 / 600 stored as a float is 1.2799999713897705: 800 * s truncates to 1023
    EXPECT_EQ(ScaledAppWidth(800, 600, 768), 1023);
    EXPECT_EQ(ScaledAppWidth(800, 600, 600), 800);
    EXPECT_EQ(ScaledAppWidth(1024, 768, 600), 800);
    // A configured size far beyond the screen's saturates.
    EXPECT_EQ(ScaledAppWidth(2000000000, 1, 600), INT_MAX);
    EXPECT_EQ(ScaledAppWidth(-2000000000, 1, 600), INT_MIN);
}

TEST(VideoModeScaling, FindsTheFirstMatchingRow) {
    std::vector<ResRow> rows{{1024, 768, 1024, 768}, {1024, 768, 800, 600}, {800, 600, 640, 480}};
    auto row = FindResRow(rows, {1024, 768});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->videoWidth, 1024);
    EXPECT_FALSE(FindResRow(rows, {1280, 1024}));
}

#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

class EffectsTest : public PictureTest {};

TEST_F(EffectsTest, MirrorSwapsAroundTheMiddle) {
    Image image;
    Make(image, 3, 2);
    for (int x = 0; x < 3; ++x) {
        Set(image, x, 0, {x, 0, 0, 255});
        Set(image, x, 1, {x, 1, 0, 255});
    }
    MirrorImage(&image, 1, 0);
    EXPECT_EQ(Get(image, 0, 0), (Px{2, 0, 0, 255}));
    EXPECT_EQ(Get(image, 1, 0), (Px{1, 0, 0, 255}));
    EXPECT_EQ(Get(image, 2, 0), (Px{0, 0, 0, 255}));
    MirrorImage(&image, 0, 1);
    EXPECT_EQ(Get(image, 0, 0), (Px{2, 1, 0, 255}));
    EXPECT_EQ(Get(image, 2, 1), (Px{0, 0, 0, 255}));
    // A record wider than its surface mirrors only what exists.
    image.w = 50;
    MirrorImage(&image, 1, 1);
}

TEST_F(EffectsTest, BlackWhiteAndColorize) {
    Image image;
    Make(image, 3, 1, {100, 100, 100, 200});
    Set(image, 1, 0, {10, 10, 10, 90});
    Set(image, 2, 0, {250, 250, 250, 0});
    BlackWhite(&image, 99);
    EXPECT_EQ(Get(image, 0, 0), (Px{255, 255, 255, 200}));
    EXPECT_EQ(Get(image, 1, 0), (Px{0, 0, 0, 90}));
    EXPECT_EQ(Get(image, 2, 0), (Px{250, 250, 250, 0}));
    // 0.3 * 100 + 0.59 * 100 + 0.11 * 100 truncates to 99 or 100; the level
    // decides strictly above.
    Make(image, 1, 1, {100, 100, 100, 255});
    BlackWhite(&image, 100);
    EXPECT_EQ(Get(image, 0, 0), (Px{0, 0, 0, 255}));

    Make(image, 2, 1, {200, 100, 50, 128});
    Set(image, 1, 0, {200, 100, 50, 0});
    ColorizeImage(&image, 9, 8, 7, 6, 3);
    EXPECT_EQ(Get(image, 0, 0), (Px{200, 100, 50, 128}));
    ColorizeImage(&image, 128, 255, 0, 128, 1);
    EXPECT_EQ(Get(image, 0, 0), (Px{100, 100, 0, 64}));
    ColorizeImage(&image, 1, 2, 3, 4, 2);
    EXPECT_EQ(Get(image, 0, 0), (Px{1, 2, 3, 64}));
    ColorizeImage(&image, 5, 6, 7, 8, 0);
    EXPECT_EQ(Get(image, 0, 0), (Px{5, 6, 7, 8}));
    EXPECT_EQ(Get(image, 1, 0), (Px{200, 100, 50, 0}));
}

TEST_F(EffectsTest, ScaleAlphaAndCompare) {
    Image a, b;
    Make(a, 2, 1, {10, 20, 30, 200});
    ScaleAlpha(&a, 128);
    EXPECT_EQ(Get(a, 0, 0), (Px{10, 20, 30, 100}));
    ScaleAlpha(&a, 1000);
    EXPECT_EQ(Get(a, 0, 0), (Px{10, 20, 30, 255}));
    ScaleAlpha(&a, -5);
    EXPECT_EQ(Get(a, 0, 0), (Px{10, 20, 30, 0}));

    Make(a, 2, 2, {1, 2, 3, 4});
    Make(b, 2, 2, {1, 2, 3, 4});
    EXPECT_TRUE(CompareImages(&a, &b));
    Set(b, 1, 1, {1, 2, 3, 5});
    EXPECT_FALSE(CompareImages(&a, &b));
    b.w = 1;
    EXPECT_FALSE(CompareImages(&a, &b));
    Image none;
    EXPECT_FALSE(CompareImages(&a, &none));
}

TEST_F(EffectsTest, ScalingOwnedAndSharedRecords) {
    Image owned;
    Make(owned, 4, 4, {50, 60, 70, 255});
    owned.x = 7;
    ScaleImage(&owned, 1.0f, 1.0f);
    EXPECT_EQ(owned.x, 7);
    ScaleImage(&owned, 0.5f, 1.5f);
    EXPECT_EQ(owned.imgtype, FIRST);
    EXPECT_EQ(owned.w, 2);
    EXPECT_EQ(owned.h, 6);
    EXPECT_EQ(owned.x, 0);
    EXPECT_EQ(owned.surface->w, 2);

    Image shared(owned);
    shared.x = 3;
    shared.y = 9;
    ScaleImage(&shared, 1.0f, 1.0f);
    EXPECT_EQ(shared.w, 2);
    ScaleImage(&shared, 2.0f, 0.5f);
    EXPECT_EQ(shared.surface, owned.surface);
    EXPECT_EQ(shared.x, 6);
    EXPECT_EQ(shared.w, 4);
    EXPECT_EQ(shared.srw, 4);
    EXPECT_EQ(shared.y, 4);
    EXPECT_EQ(shared.h, 3);
    EXPECT_EQ(shared.srh, 3);
    // The shared record now claims more than its surface holds; every walk
    // stays inside.
    Image dst;
    Make(dst, 8, 8, {0, 0, 0, 255});
    dst.x = 6;
    dst.y = 4;
    BlendOver(&dst, &shared);
    MirrorImage(&shared, 1, 1);
    BlackWhite(&shared, 10);
    EXPECT_EQ(Get(dst, 0, 0), (Px{50, 60, 70, 255}));
    EXPECT_EQ(Get(dst, 2, 0), (Px{0, 0, 0, 255}));

    ScaleImage(&shared, 1e30f, 1e30f);
    EXPECT_EQ(shared.w, INT32_MAX);
}

}  // namespace

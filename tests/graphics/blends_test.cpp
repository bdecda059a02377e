#include <random>

#include "graphics/pixel_io.h"
#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

class BlendTest : public PictureTest {};

constexpr Px kDst{100, 50, 0, 200};
constexpr Px kSrc{200, 100, 50, 128};

TEST_F(BlendTest, OverAddAndAdd256FollowTheirFormulas) {
    Image dst, src;
    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, kSrc);
    BlendOver(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{150, 75, 25, 200}));

    Make(dst, 1, 1, kDst);
    BlendAdd(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{178, 89, 25, 200}));
    Make(dst, 1, 1, {255, 255, 255, 255});
    Make(src, 1, 1, {255, 255, 255, 255});
    BlendAdd(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{255, 255, 255, 255}));

    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, kSrc);
    BlendAdd256(&dst, &src, 128);
    EXPECT_EQ(Get(dst, 0, 0), (Px{149, 74, 12, 255}));

    // Transparent destination or source points stay as they were.
    Make(dst, 1, 1, {100, 50, 0, 0});
    BlendOver(&dst, &src);
    BlendAdd(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{100, 50, 0, 0}));
    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, {200, 100, 50, 0});
    BlendOver(&dst, &src);
    BlendAdd256(&dst, &src, 255);
    EXPECT_EQ(Get(dst, 0, 0), kDst);
}

TEST_F(BlendTest, AlphaBlendAtFullHalfAndZero) {
    Image dst, src;
    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, kSrc);
    BlendAlpha(&dst, &src, 255);
    EXPECT_EQ(Get(dst, 0, 0), (Px{156, 78, 28, 227}));

    Make(dst, 1, 1, kDst);
    BlendAlpha(&dst, &src, 128);
    EXPECT_EQ(Get(dst, 0, 0), (Px{130, 65, 15, 213}));

    Make(dst, 1, 1, kDst);
    BlendAlpha(&dst, &src, 0);
    EXPECT_EQ(Get(dst, 0, 0), kDst);

    Make(src, 1, 1, {1, 2, 3, 255});
    BlendAlpha(&dst, &src, 255);
    EXPECT_EQ(Get(dst, 0, 0), (Px{1, 2, 3, 255}));

    // A destination without alpha channel.
    Image rgb;
    Make(rgb, 1, 1, {100, 50, 0, 255}, false);
    Make(src, 1, 1, kSrc);
    BlendAlpha(&rgb, &src, 255);
    EXPECT_EQ(Get(rgb, 0, 0), (Px{150, 75, 25, 255}));
}

TEST_F(BlendTest, OnlyTheOverlapChangesAndWalksStayInsideSurfaces) {
    Image dst, src;
    Make(dst, 4, 4, {0, 0, 255, 255});
    // A 6-wide sheet showing its columns 2..5 at (2, 1).
    Make(src, 6, 4, {0, 255, 0, 255});
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 6; ++x) Set(src, x, y, {255, 0, 0, 255});
    src.x = 2;
    src.y = 1;
    src.srx = 2;
    src.w = 4;
    BlendOver(&dst, &src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 2 && y >= 1;
            EXPECT_EQ(Get(dst, x, y), inside ? (Px{255, 0, 0, 255}) : (Px{0, 0, 255, 255})) << x << "," << y;
        }

    // Records whose numbers exceed their surfaces: the walk stays on the
    // pixels that exist (the sanitizers watch this).
    Image big, small;
    Make(big, 8, 8, {0, 0, 255, 255});
    Make(small, 3, 3, {255, 0, 0, 255});
    small.w = small.h = 100;
    small.srx = 1;
    big.w = 1000;
    BlendOver(&big, &small);
    BlendAlpha(&big, &small, 200);
    BlendAdd(&big, &small);
    BlendAdd256(&big, &small, 100);
    ClearWhereOpaque(&big, &small);
    CutOutMask(&big, &small);
    BlendMasked(&big, &small, &small, 255, 1);
    BlendThroughMask(&big, &small, &small);
    CopyThroughMask(&big, &small, &small);
    MaskAlpha(&big, &small, 1);
    EXPECT_EQ(big.surface->w, 8);

    Image none;
    BlendOver(&dst, &none);
    BlendOver(nullptr, &src);
}

TEST_F(BlendTest, MaskAlphaModes) {
    Image dst, mask;
    Make(mask, 1, 1, {0, 0, 0, 100});
    mask.x = 1;
    Make(dst, 3, 1, {10, 20, 30, 255});
    MaskAlpha(&dst, &mask, 1);
    EXPECT_EQ(Get(dst, 0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(Get(dst, 1, 0), (Px{10, 20, 30, 100}));
    EXPECT_EQ(Get(dst, 2, 0), (Px{0, 0, 0, 0}));

    Make(dst, 3, 1, {10, 20, 30, 255});
    MaskAlpha(&dst, &mask, 0);
    EXPECT_EQ(Get(dst, 0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(Get(dst, 1, 0), (Px{10, 20, 30, 255}));
    EXPECT_EQ(Get(dst, 2, 0), (Px{0, 0, 0, 0}));

    Make(dst, 3, 1, {10, 20, 30, 255});
    mask.x = 10;
    MaskAlpha(&dst, &mask, 1);
    EXPECT_EQ(Get(dst, 0, 0), (Px{10, 20, 30, 255}));
    EXPECT_EQ(dst.w, 0);
}

TEST_F(BlendTest, ClearCutOutAndCopyThroughMask) {
    Image dst, src, mask;
    Make(dst, 2, 1, {10, 20, 30, 255});
    Make(src, 2, 1, {1, 1, 1, 255});
    Set(src, 1, 0, {1, 1, 1, 254});
    ClearWhereOpaque(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(Get(dst, 1, 0), (Px{10, 20, 30, 255}));

    Make(dst, 2, 1, {10, 20, 30, 255});
    Set(src, 1, 0, {1, 1, 1, 0});
    CutOutMask(&dst, &src);
    EXPECT_EQ(Get(dst, 0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(Get(dst, 1, 0), (Px{10, 20, 30, 255}));
    Image rgb;
    Make(rgb, 2, 1, {10, 20, 30, 255}, false);
    CutOutMask(&rgb, &src);
    EXPECT_EQ(Get(rgb, 1, 0), (Px{0, 0, 0, 255}));

    Make(dst, 4, 1, {10, 20, 30, 255});
    Make(src, 2, 1, {7, 8, 9, 50});
    src.x = 1;
    Make(mask, 4, 1, {0, 0, 0, 0});
    Set(mask, 1, 0, {0, 0, 0, 200});
    CopyThroughMask(&dst, &src, &mask);
    EXPECT_EQ(Get(dst, 0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(Get(dst, 1, 0), (Px{7, 8, 9, 200}));
    EXPECT_EQ(Get(dst, 2, 0), (Px{10, 20, 30, 255}));
    EXPECT_EQ(Get(dst, 3, 0), (Px{0, 0, 0, 0}));
}

TEST_F(BlendTest, MaskedBlendsAndThroughMask) {
    Image dst, src, mask;
    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, kSrc);
    Make(mask, 1, 1, {0, 0, 0, 255});
    BlendMasked(&dst, &src, &mask, 255, 1);
    EXPECT_EQ(Get(dst, 0, 0), (Px{156, 78, 28, 227}));

    Make(dst, 1, 1, kDst);
    Make(mask, 1, 1, {0, 0, 0, 128});
    BlendMasked(&dst, &src, &mask, 255, 0);
    EXPECT_EQ(Get(dst, 0, 0), (Px{200, 100, 50, 64}));

    // Truncation would push the channel past 255: it saturates.
    Make(dst, 1, 1, {255, 255, 255, 1});
    Make(src, 1, 1, {255, 255, 255, 1});
    Make(mask, 1, 1, {0, 0, 0, 255});
    BlendMasked(&dst, &src, &mask, 255, 1);
    EXPECT_EQ(Get(dst, 0, 0), (Px{255, 255, 255, 1}));

    Make(dst, 1, 1, kDst);
    Make(src, 1, 1, kSrc);
    BlendThroughMask(&dst, &src, &mask);
    EXPECT_EQ(Get(dst, 0, 0), (Px{156, 78, 28, 227}));

    // The opaque-source twin weighs by the mask alone.
    Make(dst, 1, 1, kDst);
    Make(mask, 1, 1, {0, 0, 0, 128});
    BlendThroughMaskRGB(&dst, &src, &mask);
    EXPECT_EQ(Get(dst, 0, 0), (Px{156, 78, 28, 227}));
}

TEST(BlendArithmetic, ReciprocalDivisionIsExact) {
    for (uint32_t d = 1; d < 256; ++d)
        for (uint32_t n = 0; n < (1u << 17); ++n) ASSERT_EQ(DivSmall(n, d), n / d) << n << "/" << d;
}

// The 32-bit fast form against SDL's colour calls on random pixels, in
// several layouts and with partial overlaps.
class FastPathTest : public PictureTest {
protected:
    void TearDown() override { SetFast32Paths(true); }

    static void Randomize(Image& image, std::mt19937& rng, Uint32 rmask, Uint32 gmask, Uint32 bmask,
                          Uint32 amask, int w, int h) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, rmask, gmask, bmask, amask);
        ASSERT_NE(s, nullptr);
        image.AdoptSurface(s);
        ResetFromSurface(s, &image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t v = rng();
                // Plenty of fully transparent and fully opaque points.
                const uint32_t pick = rng() % 4;
                if (amask && pick == 0) v &= ~amask;
                if (amask && pick == 1) v |= amask;
                if (!amask) v &= rmask | gmask | bmask;
                PutPixel(s, x, y, v);
            }
    }
};

TEST_F(FastPathTest, EveryBlendMatchesTheGenericForm) {
    std::mt19937 rng(1234);
    struct Layout {
        Uint32 r, g, b, a;
    };
    const Layout layouts[] = {{0xFF0000, 0xFF00, 0xFF, 0xFF000000u},
                              {0xFF, 0xFF00, 0xFF0000, 0xFF000000u},
                              {0xFF000000u, 0xFF0000, 0xFF00, 0xFF},
                              {0xFF0000, 0xFF00, 0xFF, 0}};
    using Op = void (*)(Image*, Image*, Image*, int);
    const Op ops[] = {
        [](Image* d, Image* s, Image*, int) { BlendOver(d, s); },
        [](Image* d, Image* s, Image*, int k) { BlendAlpha(d, s, k); },
        [](Image* d, Image* s, Image*, int) { BlendAdd(d, s); },
        [](Image* d, Image* s, Image*, int k) { BlendAdd256(d, s, k); },
        [](Image* d, Image*, Image* m, int k) { MaskAlpha(d, m, k & 1); },
        [](Image* d, Image* s, Image*, int) { ClearWhereOpaque(d, s); },
        [](Image* d, Image* s, Image* m, int k) { BlendMasked(d, s, m, k, k & 1); },
        [](Image* d, Image* s, Image* m, int) { BlendThroughMask(d, s, m); },
        [](Image* d, Image* s, Image* m, int) { BlendThroughMaskRGB(d, s, m); },
        [](Image* d, Image* s, Image* m, int) { CopyThroughMask(d, s, m); },
        [](Image* d, Image* s, Image*, int) { CutOutMask(d, s); },
    };
    int round = 0;
    for (const Layout& dl : layouts) {
        for (const Layout& sl : layouts) {
            for (size_t op = 0; op < std::size(ops); ++op, ++round) {
                Image dstFast, src, mask;
                Randomize(dstFast, rng, dl.r, dl.g, dl.b, dl.a, 23, 17);
                Randomize(src, rng, sl.r, sl.g, sl.b, sl.a, 19, 13);
                Randomize(mask, rng, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u, 21, 15);
                src.x = static_cast<int>(rng() % 20) - 8;
                src.y = static_cast<int>(rng() % 14) - 6;
                src.srx = static_cast<int>(rng() % 3);
                src.w -= src.srx;
                mask.x = static_cast<int>(rng() % 20) - 8;
                mask.y = static_cast<int>(rng() % 14) - 6;
                const int strength = (round % 3 == 0) ? 255 : static_cast<int>(rng() % 255) + 1;
                Image dstGeneric;
                DuplicateImage(&dstFast, &dstGeneric);
                dstGeneric.AdoptSurface(SDL_ConvertSurface(dstFast.surface, dstFast.surface->format, 0));
                ASSERT_EQ(Pixels(dstFast), Pixels(dstGeneric));

                SetFast32Paths(true);
                ops[op](&dstFast, &src, &mask, strength);
                SetFast32Paths(false);
                ops[op](&dstGeneric, &src, &mask, strength);
                ASSERT_EQ(Pixels(dstFast), Pixels(dstGeneric)) << "operation " << op << " round " << round;
            }
        }
    }
}

}  // namespace

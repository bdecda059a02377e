#include <SDL/SDL_rotozoom.h>

#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

class EffectsTest : public PictureTest {
protected:
    // A FIRST record over a new 8-bit surface with a palette of its own, pixel
    // (x, y) holding index x + 7 * y.
    static void MakeIndexed(Image& image, int w, int h) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
        ASSERT_NE(s, nullptr);
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = {static_cast<Uint8>(i), static_cast<Uint8>(255 - i), static_cast<Uint8>(i / 2), 0};
        SDL_SetColors(s, colours, 0, 256);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) PutPixel(s, x, y, static_cast<uint32_t>(x + 7 * y) & 255);
        image.AdoptSurface(s);
        ResetFromSurface(s, &image);
    }

    // Every pixel of the rows a surface reports.
    static std::basic_string<uint32_t> Rows(SDL_Surface* s) {
        Image view;
        view.ViewSurface(s);
        return Pixels(view);
    }
};

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

    // Zooming draws SDL_gfx's bytes at SDL_gfx's size, mirrored by a
    // negative factor, smoothed or not; 8-bit pictures take nearest pixels.
    Image argb, eight, opaque, mirrored, expected;
    Make(argb, 7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) Set(argb, x, y, {x * 36, y * 60, (x * y * 17) & 255, 40 + x * 30});
    MakeIndexed(eight, 7, 5);
    for (const double zx : {2.3, -0.6, 1.0})
        for (const double zy : {-1.7, 0.45, 1.0})
            for (const int smooth : {0, 1})
                for (SDL_Surface* from : {argb.surface, eight.surface}) {
                    if (from == eight.surface && (zx < 0 || zy < 0)) continue;  // SDL_gfx cannot
                    mirrored.AdoptSurface(ZoomSurface(from, zx, zy, smooth));
                    expected.AdoptSurface(zoomSurface(from, zx, zy, smooth));
                    EXPECT_EQ(Rows(mirrored.surface), Rows(expected.surface))
                        << zx << " " << zy << " " << smooth;
                }

    // An 8-bit picture mirrors by a negative factor as MirrorImage mirrors
    // it, through ScaleImage and through a turn too small to be one.
    for (const int axis : {0, 1, 2}) {
        MakeIndexed(mirrored, 5, 3);
        MakeIndexed(expected, 5, 3);
        if (axis < 2)
            ScaleImage(&mirrored, axis ? 1.0f : -1.0f, axis ? -1.0f : 1.0f);
        else
            mirrored.AdoptSurface(RotozoomSurface(mirrored.surface, 0.0, -1.0, -1.0, 1));
        MirrorImage(&expected, axis != 1, axis != 0);
        EXPECT_EQ(Pixels(mirrored), Pixels(expected));
    }

    // A turned picture is exactly the size it reports (converting it makes
    // no more rows) and keeps SDL_gfx's palette, colour key and alpha
    // setting: a keyed 8-bit picture with a palette, an alpha one, and an
    // opaque one that SDL_gfx marks to be drawn through its alpha.
    Make(opaque, 7, 5, {200, 100, 50, 255}, false);
    SDL_SetColorKey(eight.surface, SDL_SRCCOLORKEY, 9);
    for (SDL_Surface* from : {eight.surface, argb.surface, opaque.surface}) {
        SDL_Surface* turned = RotozoomSurface(from, 30.0, 1.5, 1.5, 1);
        expected.AdoptSurface(rotozoomSurfaceXY(from, 30.0, 1.5, 1.5, 1));
        ASSERT_NE(turned, nullptr);
        mirrored.AdoptSurface(SDL_ConvertSurface(turned, turned->format, 0));
        ASSERT_NE(mirrored.surface, nullptr);
        EXPECT_EQ(mirrored.surface->h, turned->h);
        EXPECT_EQ(Rows(turned), Rows(expected.surface));
        const SDL_Surface* theirs = expected.surface;
        const Uint32 settings = SDL_SRCCOLORKEY | SDL_SRCALPHA;
        EXPECT_EQ(turned->flags & settings, theirs->flags & settings);
        EXPECT_EQ(turned->format->colorkey, theirs->format->colorkey);
        EXPECT_EQ(turned->format->alpha, theirs->format->alpha);
        const uint32_t i = GetPixel(turned, turned->w / 2, turned->h / 2);
        if (from == eight.surface) {  // the palette's colour (i, 255 - i, i / 2)
            EXPECT_EQ(SDL_MapRGB(turned->format, i, 255 - i, i / 2), i);
        }
        SDL_FreeSurface(turned);
    }
}

}  // namespace

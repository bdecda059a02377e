#include "graphics/rect_clip.h"
#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

class PictureRecordTest : public PictureTest {};

TEST_F(PictureRecordTest, PixelAccessAtEveryDepthStaysInsideTheSurface) {
    for (int bpp : {8, 16, 24, 32}) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, bpp, 0, 0, 0, 0);
        ASSERT_NE(s, nullptr) << bpp;
        const uint32_t value = bpp == 8 ? 0xAB : bpp == 16 ? 0xABCD : bpp == 24 ? 0xABCDEF : 0x89ABCDEF;
        PutPixel(s, 2, 1, value);
        EXPECT_EQ(GetPixel(s, 2, 1), value) << bpp;
        EXPECT_EQ(GetPixel(s, 1, 1), 0u) << bpp;
        if (bpp == 24) {
            const Uint8* p = static_cast<const Uint8*>(s->pixels) + s->pitch + 6;
            EXPECT_EQ(p[0], 0xEF);
            EXPECT_EQ(p[1], 0xCD);
            EXPECT_EQ(p[2], 0xAB);
        }
        // Outside reads 0, writes are ignored.
        for (auto [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}, {1 << 30, 1 << 30}}) {
            EXPECT_EQ(GetPixel(s, x, y), 0u);
            PutPixel(s, x, y, value);
        }
        SDL_FreeSurface(s);
    }
    EXPECT_EQ(GetPixel(nullptr, 0, 0), 0u);
    EXPECT_EQ(Clamp255(255), 255);
    EXPECT_EQ(Clamp255(256), 255);

    Image image;
    Make(image, 4, 4);
    image.x = 10;
    image.y = 20;
    PutImagePixel(&image, 1, 2, 0x11223344);
    EXPECT_EQ(GetImagePixel(&image, 11, 22), 0x11223344u);
    EXPECT_EQ(GetPixelLocked(&image, 11, 22), 0x11223344u);
    PutPixelRGBA(&image, 3, 3, 1, 2, 3, 4);
    EXPECT_EQ(Get(image, 3, 3), (Px{1, 2, 3, 4}));
    PutPixelRGB(&image, 0, 0, 5, 6, 7);
    EXPECT_EQ(Get(image, 0, 0), (Px{5, 6, 7, 255}));
}

TEST_F(PictureRecordTest, MaskWithMarginsAndLookupsOutside) {
    Image image;
    Make(image, 1, 1, {9, 9, 9, 255});
    image.BuildMask(1);
    ASSERT_EQ(image.maskw, 3);
    ASSERT_EQ(image.maskh, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(image.GetMaskBit(x, y) != 0, x < 2 && y < 2) << x << "," << y;

    image.BuildMask(0);
    EXPECT_EQ(image.maskw, 1);
    EXPECT_EQ(image.GetMaskBit(0, 0), 0);

    testing::internal::CaptureStdout();
    image.BuildMask(2);
    EXPECT_EQ(image.GetMaskBit(5, 0), 0);
    EXPECT_EQ(image.GetMaskBit(-1, 0), 0);
    EXPECT_EQ(image.GetMaskBit(0, 5), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("error!!!!! pos="), std::string::npos);

    // A margin whose mask size does not fit leaves no mask and no overflow.
    image.BuildMask(0x7FFFFFFF);
    EXPECT_EQ(image.bitmask, nullptr);
    image.BuildMask(-1);
    EXPECT_EQ(image.bitmask, nullptr);
}

TEST_F(PictureRecordTest, SharingCopyingAndAssignmentNeverDoubleFree) {
    auto original = std::make_unique<Image>();
    Make(*original, 2, 2, {1, 2, 3, 255});
    original->BuildMask(1);
    Image shared(*original);
    Image assigned;
    assigned = *original;
    Image& same = assigned;
    assigned = same;  // assigning a record to itself keeps it
    EXPECT_EQ(shared.imgtype, NONFIRST);
    EXPECT_EQ(shared.surface, original->surface);
    original.reset();
    EXPECT_EQ(Get(shared, 1, 1), (Px{1, 2, 3, 255}));
    EXPECT_NE(shared.GetMaskBit(1, 1), 0);

    // An owning record assigned over another owning record.
    Image a, b;
    Make(a, 1, 1, {1, 1, 1, 255});
    Make(b, 1, 1, {2, 2, 2, 255});
    a = b;
    b = a;
    EXPECT_EQ(Get(a, 0, 0), (Px{2, 2, 2, 255}));

    testing::internal::CaptureStdout();
    Image owner;
    Make(owner, 1, 1);
    owner.CopyMask(&shared);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nImage::CopyMask imgtype=FIRST!");
}

TEST_F(PictureRecordTest, CreateDuplicateConvertAndKeys) {
    Image image;
    CreateImage(&image, 5, 3, 1);
    ASSERT_NE(image.surface, nullptr);
    EXPECT_EQ(image.imgtype, FIRST);
    EXPECT_EQ(image.srw, 5);
    EXPECT_EQ(image.srh, 3);
    EXPECT_EQ(Get(image, 4, 2), (Px{0, 0, 0, 0}));
    CreateImage(&image, 2, 2);
    EXPECT_EQ(HasAlpha(&image), 0u);
    EXPECT_EQ(Get(image, 1, 1), (Px{0, 0, 0, 255}));

    Image source, copy;
    Make(source, 3, 3, {4, 5, 6, 7});
    source.x = 9;
    source.srx = 1;
    DuplicateImage(&source, &copy);
    EXPECT_EQ(copy.imgtype, FIRST);
    EXPECT_NE(copy.surface, source.surface);
    EXPECT_EQ(copy.x, 9);
    EXPECT_EQ(copy.srx, 1);
    EXPECT_EQ(Get(copy, 2, 2), (Px{4, 5, 6, 7}));
    Image opaque, withAlpha;
    Make(opaque, 1, 1, {4, 5, 6, 255}, false);
    DuplicateImageAlpha(&opaque, &withAlpha);
    EXPECT_NE(HasAlpha(&withAlpha), 0u);
    DuplicateImage(&copy, &copy);
    EXPECT_EQ(Get(copy, 2, 2), (Px{4, 5, 6, 7}));

    // The record takes the converted surface.
    Image model;
    SDL_Surface* s16 = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 16, 0xF800, 0x07E0, 0x001F, 0);
    model.AdoptSurface(s16);
    ConvertSurface(&copy, &model);
    EXPECT_EQ(copy.surface->format->BitsPerPixel, 16);
    EXPECT_EQ(copy.imgtype, FIRST);

    SDL_Surface* raw = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u);
    PutPixel(raw, 1, 1, 0x80112233);
    std::unique_ptr<Image> fromFile(CreateSurfaceFromFile(4, 1, raw));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->w, 4);
    EXPECT_EQ(GetPixel(fromFile->surface, 1, 0), 0u);
    EXPECT_EQ(GetPixel(fromFile->surface, 3, 0), 0u);
    SDL_FreeSurface(raw);
    EXPECT_EQ(CreateSurfaceFromFile(1, 1, nullptr), nullptr);

    SetColorKey(&source, 4, 5, 6);
    EXPECT_TRUE(source.surface->flags & SDL_SRCCOLORKEY);
    testing::internal::CaptureStdout();
    Image empty;
    SetAlpha(&empty, 100);
    SetRLE(&empty);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nGraphAPI::SetAlpha error");
}

TEST_F(PictureRecordTest, ANewAlphaPictureBlitsAsTransparent) {
    // Blits honour the alpha of created pictures: a cleared one leaves the
    // screen as it was.
    FillScreen(10, 20, 30);
    Image clear;
    CreateImage(&clear, 8, 8, 1);
    ASSERT_NE(clear.surface, nullptr);
    EXPECT_TRUE(clear.surface->flags & SDL_SRCALPHA);
    clear.x = 4;
    clear.y = 4;
    BlitToScreen(&clear);
    Uint8 r, g, b;
    SDL_GetRGB(GetPixel(video.Screen, 6, 6), video.Screen->format, &r, &g, &b);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 30);
}

TEST_F(PictureRecordTest, ClipRectCutsAndShiftsTheSource) {
    Image source, bounds, out;
    source.x = -5;
    source.w = source.h = 10;
    bounds.w = bounds.h = 100;
    ASSERT_TRUE(ClipRect(source, bounds, out));
    EXPECT_EQ(out.x, 0);
    EXPECT_EQ(out.w, 5);
    EXPECT_EQ(out.srx, 5);
    EXPECT_EQ(out.h, 10);

    source.x = 95;
    source.y = 98;
    ASSERT_TRUE(ClipRect(source, bounds, out));
    EXPECT_EQ(out.w, 5);
    EXPECT_EQ(out.h, 2);
    EXPECT_EQ(out.srx, 0);

    source.x = 100;
    EXPECT_FALSE(ClipRect(source, bounds, out));
    source.x = -10;
    EXPECT_FALSE(ClipRect(source, bounds, out));

    Image boundsImage;
    boundsImage.x = 10;
    boundsImage.y = 10;
    boundsImage.w = boundsImage.h = 5;
    source.x = source.y = 12;
    ASSERT_TRUE(ClipRectToImage(source, boundsImage, out));
    EXPECT_EQ(out.x, 12);
    EXPECT_EQ(out.w, 3);
}

}  // namespace

#include "graphics/filter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics/screen_fixture.h"

namespace {

class FilterTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        GraphAPI::FillScreen(0, 0, 0);
    }
    // A w x h picture of one colour at (x, y).
    static std::unique_ptr<Obraz> Picture(int x, int y, int w, int h, int r, int g, int b, int a) {
        auto o = std::make_unique<Obraz>();
        o->Create(w, h, r, g, b, a);
        o->SetPos(x, y);
        return o;
    }
    static void PictureRGBA(Image* image, int x, int y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
        SurfaceRGBA(image->surface, x, y, r, g, b, a);
    }
};

TEST_F(FilterTest, LinkIsKeptInBothDirectionsAndClearedByWhicheverSideGoesFirst) {
    auto o = Picture(10, 20, 8, 6, 255, 0, 0, 255);
    {
        ddFilter f;
        f.Link(o.get());
        EXPECT_EQ(o->GetLinkedFilter(), &f);
        EXPECT_EQ(f.GetLinked(), o.get());
        f.SetAngle(30);
        f.Link(o.get());  // the same object: nothing happens, the angle stays
        EXPECT_EQ(f.GetAngle(), 30.0);

        ddFilter other;
        other.Link(o.get());  // takes the object over
        EXPECT_EQ(o->GetLinkedFilter(), &other);
        EXPECT_EQ(f.GetLinked(), nullptr);
        EXPECT_EQ(f.GetOutputImage()->surface, nullptr);
        f.Unlink();  // must not clear the other filter's link
        EXPECT_EQ(o->GetLinkedFilter(), &other);
    }
    EXPECT_EQ(o->GetLinkedFilter(), nullptr) << "a destroyed filter unlinks";

    ddFilter f;
    f.Link(o.get());
    f.SetZoom(2.0);
    o.reset();  // the object goes first
    EXPECT_EQ(f.GetLinked(), nullptr);
    EXPECT_FALSE(f.IsTransformed());
    f.Draw(video.Screen);  // draws nothing, touches nothing freed
}

TEST_F(FilterTest, UntransformedOutputSharesThePictureAndTransformsResample) {
    auto o = Picture(10, 20, 8, 6, 0, 255, 0, 255);
    ddFilter f;
    f.Link(o.get());
    f.SetZoom(1.0);
    Image* out = f.GetOutputImage();
    EXPECT_EQ(out->surface, o->GetImage()->surface) << "zoom 1 shares instead of resampling";
    EXPECT_EQ(out->x, 10);
    EXPECT_EQ(o->GetX(), 10);

    f.SetZoom(2.0);
    out = f.GetOutputImage();
    ASSERT_NE(out->surface, nullptr);
    EXPECT_NE(out->surface, o->GetImage()->surface);
    EXPECT_EQ(out->w, 16);
    EXPECT_EQ(out->h, 12);
    // Centred on the object's drawn rectangle.
    EXPECT_EQ(out->x, 10 - 4);
    EXPECT_EQ(out->y, 20 - 3);
    EXPECT_EQ(o->GetWidth(), 16) << "the object reports the output's size while linked";

    f.SetZoomXY(0.5, 1.0);
    EXPECT_EQ(f.GetOutputImage()->w, 4);
    EXPECT_EQ(f.GetOutputImage()->h, 6);
    f.Normal();
    f.Rebuild();
    EXPECT_EQ(f.GetOutputImage()->surface, o->GetImage()->surface);
}

TEST_F(FilterTest, PlacementRules) {
    auto o = Picture(0, 0, 10, 10, 255, 255, 255, 255);
    o->SetLod(4, 6);
    o->SetPos(50, 40);  // drawn at (54, 46)
    ddFilter f;
    f.Link(o.get());
    f.SetPlacement(PLACE_SCALED);
    f.SetZoom(2.0);
    Image* out = f.GetOutputImage();
    EXPECT_EQ(out->x, 50 + 8);  // the hot-spot offset grows with the zoom
    EXPECT_EQ(out->y, 40 + 12);

    f.SetPlacement(PLACE_CENTRED);
    f.Place();
    EXPECT_EQ(out->x, 54 + (10 - 20) / 2);
    EXPECT_EQ(out->y, 46 + (10 - 20) / 2);

    // Rotated about the position by 90 degrees: the centre (9, 11) relative
    // to the position turns to (11, -9) in screen orientation.
    f.SetRotPoint(50, 40);
    EXPECT_EQ(f.GetPlacement(), PLACE_ROTATED);
    f.SetAngleZoom(90, 1.0);
    out = f.GetOutputImage();
    const int w = out->w, h = out->h;
    EXPECT_NEAR(out->x, 50 + 11 - w / 2, 1);
    EXPECT_NEAR(out->y, 40 - 9 - h / 2, 1);
}

TEST_F(FilterTest, OutputFollowsTheObjectWhenItMoves) {
    auto o = Picture(10, 10, 8, 8, 255, 0, 0, 255);
    ddFilter f;
    f.Link(o.get());
    o->SetPos(30, 35);
    EXPECT_EQ(o->GetX(), 30);
    EXPECT_EQ(o->GetY(), 35);
    f.SetZoom(2.0);
    SDL_Surface* made = f.GetOutputImage()->surface;
    o->Move(10, 0);
    EXPECT_EQ(f.GetOutputImage()->surface, made) << "a move only re-places";
    EXPECT_EQ(o->GetX(), 40 - 4);
    o->Create(4, 4, 0, 0, 255, 255);  // a new picture is resampled
    EXPECT_EQ(f.GetOutputImage()->w, 8);
}

TEST_F(FilterTest, ARefusedZoomKeepsTheLastOutputAndSaysSo) {
    auto o = Picture(0, 0, 20, 20, 255, 0, 0, 255);
    ddFilter f(nullptr, "lens");
    f.Link(o.get());
    f.SetZoom(2.0);
    SDL_Surface* kept = f.GetOutputImage()->surface;
    testing::internal::CaptureStdout();
    f.SetZoom(1e6);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("filter lens"), std::string::npos) << said;
    EXPECT_EQ(f.GetOutputImage()->surface, kept);
    EXPECT_EQ(f.GetOutputImage()->w, 40);
    testing::internal::CaptureStdout();
    f.SetAngle(std::numeric_limits<double>::quiet_NaN());
    said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("filter lens"), std::string::npos);
    EXPECT_EQ(f.GetOutputImage()->surface, kept);
}

TEST_F(FilterTest, ZoomTakesOnlyTheShownPartOfASharedSheet) {
    // A sheet whose left half is red and right half blue; the object shows
    // the blue half only.
    Image sheet;
    GraphAPI::CreateImage(&sheet, 8, 4, 1);
    GraphAPI::FillImageRGBA(&sheet, 255, 0, 0, 255);
    SDL_Rect right{4, 0, 4, 4};
    SDL_FillRect(sheet.surface, &right, SDL_MapRGBA(sheet.surface->format, 0, 0, 255, 255));
    sheet.srx = 4;
    sheet.w = sheet.srw = 4;
    Obraz o(&sheet);
    ddFilter f;
    f.Link(&o);
    f.SetZoom(2.0);
    Image* out = f.GetOutputImage();
    ASSERT_NE(out->surface, nullptr);
    ASSERT_EQ(out->w, 8);
    Uint8 r, g, b, a;
    for (int x : {0, 7}) {
        PictureRGBA(out, x, 3, &r, &g, &b, &a);
        EXPECT_EQ(r, 0);
        EXPECT_EQ(b, 255);
    }
}

TEST_F(FilterTest, OpacityFadesWhatIsDrawnAndLeavesTheOutputAlone) {
    auto o = Picture(10, 10, 4, 4, 200, 100, 0, 255);
    ddFilter f;
    f.Link(o.get());
    Uint8 r, g, b;
    f.Draw(video.Screen);
    ScreenRGB(11, 11, &r, &g, &b);
    EXPECT_EQ(r, 200) << "opacity 255 without blends draws the output unchanged";
    EXPECT_EQ(g, 100);

    GraphAPI::FillScreen(0, 0, 0);
    f.SetOpacity(128);
    EXPECT_TRUE(f.NeedsRender());
    for (int i = 0; i < 2; ++i) {  // the kept copy is refreshed every draw
        GraphAPI::FillScreen(0, 0, 0);
        f.Draw(video.Screen);
        ScreenRGB(11, 11, &r, &g, &b);
        EXPECT_NEAR(r, 100, 2);
        EXPECT_NEAR(g, 50, 2);
    }
    Uint8 a;
    PictureRGBA(o->GetImage(), 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(a, 255) << "the object's own picture is never faded";

    GraphAPI::FillScreen(0, 0, 0);
    f.SetOpacity(0);
    f.Draw(video.Screen);
    ScreenRGB(11, 11, &r, &g, &b);
    EXPECT_EQ(r, 0);
}

TEST_F(FilterTest, OpacityFadesPicturesWithoutAnAlphaChannel) {
    Image opaque;
    GraphAPI::CreateImage(&opaque, 4, 4, 0);
    GraphAPI::FillImageRGB(&opaque, 200, 0, 0);
    opaque.x = 20;
    opaque.y = 20;
    Obraz o(&opaque);
    ddFilter f;
    f.Link(&o);
    f.SetOpacity(64);
    f.Draw(video.Screen);
    Uint8 r, g, b;
    ScreenRGB(21, 21, &r, &g, &b);
    EXPECT_NEAR(r, 50, 2);
}

TEST_F(FilterTest, DrawIsClippedByTheObjectsClipRectangle) {
    auto o = Picture(10, 10, 10, 10, 255, 255, 255, 255);
    o->Clip(0, 0, 15, 200);
    ddFilter f;
    f.Link(o.get());
    f.Draw(video.Screen);
    Uint8 r, g, b;
    ScreenRGB(14, 12, &r, &g, &b);
    EXPECT_EQ(r, 255);
    ScreenRGB(15, 12, &r, &g, &b);
    EXPECT_EQ(r, 0);
}

TEST_F(FilterTest, AdditiveDrawModeAddsOntoWhatIsUnder) {
    GraphAPI::FillScreen(100, 0, 0);
    auto o = Picture(10, 10, 4, 4, 100, 80, 0, 255);
    o->SetDrawMode(1, 0);
    ddFilter f;
    f.Link(o.get());
    f.Draw(video.Screen);
    Uint8 r, g, b;
    ScreenRGB(11, 11, &r, &g, &b);
    EXPECT_NEAR(r, 199, 2);  // (100 * 254 >> 8) + 100 * 255 >> 8
    EXPECT_NEAR(g, 79, 2);
    ScreenRGB(20, 20, &r, &g, &b);
    EXPECT_EQ(r, 100) << "nothing outside the output changes";
}

TEST_F(FilterTest, BlendListModesAndObjectsLeavingIt) {
    auto base = Picture(0, 0, 10, 10, 0, 0, 200, 255);
    auto cover = Picture(5, 0, 10, 10, 200, 0, 0, 255);
    ddFilter f;
    f.Link(base.get());
    f.AddBlend(cover.get(), BLEND_OVER);
    f.AddBlend(nullptr, BLEND_OVER);  // ignored
    EXPECT_EQ(f.BlendCount(), 1);
    std::unique_ptr<Image> blended(f.ApplyBlends());
    ASSERT_NE(blended, nullptr);
    Uint8 r, g, b, a;
    PictureRGBA(blended.get(), 7, 5, &r, &g, &b, &a);
    EXPECT_EQ(r, 200);
    EXPECT_EQ(b, 0);
    PictureRGBA(blended.get(), 2, 5, &r, &g, &b, &a);
    EXPECT_EQ(b, 200);
    PictureRGBA(base->GetImage(), 7, 5, &r, &g, &b, &a);
    EXPECT_EQ(b, 200) << "blending works on a copy";

    f.RemoveAllBlends();
    f.AddBlend(cover.get(), BLEND_UMASK);
    f.Draw(video.Screen);
    ScreenRGB(7, 5, &r, &g, &b);
    EXPECT_EQ(b, 0) << "umask clears where the listed object is opaque";
    ScreenRGB(2, 5, &r, &g, &b);
    EXPECT_EQ(b, 200);

    f.RemoveAllBlends();
    f.SetMaskAlpha(0);
    f.AddBlend(cover.get(), BLEND_MASK);
    GraphAPI::FillScreen(0, 0, 0);
    f.Draw(video.Screen);
    ScreenRGB(2, 5, &r, &g, &b);
    EXPECT_EQ(b, 0) << "mask keeps only what lies under the listed object";
    ScreenRGB(7, 5, &r, &g, &b);
    EXPECT_EQ(b, 200);

    f.RemoveBlend(cover.get());
    EXPECT_EQ(f.BlendCount(), 0);
    f.AddBlend(cover.get(), BLEND_LINEARDODGE);
    f.AddBlend(cover.get(), BLEND_LOUPE);
    cover.reset();  // a destroyed object leaves every blend list
    EXPECT_EQ(f.BlendCount(), 0);
    f.Draw(video.Screen);
}

TEST_F(FilterTest, LoupeDrawsTheListedObjectThroughTheOutputsShape) {
    auto lens = Picture(0, 0, 6, 6, 0, 0, 0, 255);
    auto scene = Picture(0, 0, 20, 20, 0, 250, 0, 255);
    ddFilter f;
    f.Link(lens.get());
    f.AddBlend(scene.get(), BLEND_LOUPE);
    std::unique_ptr<Image> made(f.ApplyBlends());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->w, 6);
    Uint8 r, g, b, a;
    PictureRGBA(made.get(), 3, 3, &r, &g, &b, &a);
    EXPECT_EQ(g, 250);
    EXPECT_EQ(a, 255);
}

TEST_F(FilterTest, LevelAndMirrorReplaceTheOutput) {
    auto o = Picture(0, 0, 3, 1, 10, 10, 10, 255);
    o->PutRGBA(0, 0, 250, 250, 250, 255);
    ddFilter f;
    EXPECT_EQ(f.GetLevel(), -1);
    f.SetLevel(100);  // unlinked: stored only
    EXPECT_EQ(f.GetLevel(), 100);
    f.Link(o.get());
    f.SetLevel(100);
    Uint8 r, g, b, a;
    PictureRGBA(f.GetOutputImage(), 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);
    PictureRGBA(f.GetOutputImage(), 1, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 0);
    PictureRGBA(o->GetImage(), 1, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 10) << "the object's picture stays";

    f.ReverseXY(1, 0);
    PictureRGBA(f.GetOutputImage(), 2, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 250);
    PictureRGBA(f.GetOutputImage(), 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 10);
}

TEST_F(FilterTest, HitTestsGoThroughTheOutput) {
    auto o = Picture(10, 10, 10, 10, 255, 0, 0, 255);
    ddFilter f;
    f.Link(o.get());
    f.SetZoom(2.0);  // covers 5..25
    EXPECT_TRUE(o->IsIn(6, 6, 1, 1));
    EXPECT_TRUE(o->IsIn(24, 24, 1, 1));
    EXPECT_FALSE(o->IsIn(26, 6, 1, 0));
    f.SetAngle(45);  // the corners of the turned square are transparent
    Image* out = f.GetOutputImage();
    EXPECT_FALSE(o->IsIn(out->x, out->y, 1, 1));
    EXPECT_TRUE(o->IsIn(out->x, out->y, 1, 0));
    EXPECT_TRUE(o->IsIn(out->GetCenterX(), out->GetCenterY(), 1, 1));
}

}  // namespace

#include "graphics/obraz.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "graphics/recording_stage.h"
#include "graphics/screen_fixture.h"

namespace {

using ObrazTest = ScreenTest;

// A w x h picture filled with one colour, at (x, y).
void Fill(Obraz& o, int x, int y, int w, int h, int r, int g, int b, int a) {
    o.Create(w, h, r, g, b, a);
    o.SetPos(x, y);
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("obraz_test_") + std::to_string(getpid()) + "_" + name))
        .string();
}

TEST_F(ObrazTest, PositionsHotSpotAndRedrawRequests) {
    Obraz o;
    Fill(o, 10, 20, 8, 8, 255, 0, 0, 255);
    RecordingStage stage;
    o.SetPos(10, 20);
    EXPECT_EQ(stage.redraws, 0) << "same position must not refresh";
    o.Move(0, 0);
    EXPECT_EQ(stage.redraws, 0);
    o.SetPos(11, 20);
    EXPECT_GT(stage.redraws, 0);
    EXPECT_EQ(stage.resorts, 0);
    o.SetLayer(3);
    EXPECT_EQ(stage.resorts, 1) << "a layer change re-sorts the drawables";

    o.SetLod(10, 20);
    EXPECT_EQ(o.GetPosX(), 0);
    EXPECT_EQ(o.GetX(), o.GetImageX() + 10);
    EXPECT_EQ(o.GetY(), o.GetImageY() + 20);
    o.SetScreenPos(100, 100);
    EXPECT_EQ(o.GetX(), 100);
    EXPECT_EQ(o.GetY(), 100);
    EXPECT_EQ(o.GetPosX(), 90);

    o.SetCenter(50, 50);
    EXPECT_EQ(o.GetCenterX(), 50);
    EXPECT_EQ(o.GetCenterY(), 50);
    o.SetBottomLeft(5, 40);
    EXPECT_EQ(o.GetPosY(), 32);

    o.BakeLod();
    EXPECT_EQ(o.GetPosX(), 0);
    EXPECT_EQ(o.GetLodX(), 5 + 10);
    EXPECT_EQ(o.GetX(), 15);

    o.SetPosResetLod(3, 4);
    EXPECT_EQ(o.GetX(), 3);
    EXPECT_EQ(o.GetY(), 4);
}

TEST_F(ObrazTest, ScaleByOneChangesNothingAndByTwoDoublesTheHotSpot) {
    Obraz o;
    Fill(o, 0, 0, 10, 6, 1, 2, 3, 255);
    o.SetLod(3, -5);
    o.Scale(1.0f, 1.0f);
    EXPECT_EQ(o.GetWidth(), 10);
    EXPECT_EQ(o.GetLodX(), 3);
    o.Scale(2.0f, 2.0f);
    EXPECT_EQ(o.GetLodX(), 6);
    EXPECT_EQ(o.GetLodY(), -10);
    EXPECT_EQ(o.GetWidth(), 20);
    EXPECT_EQ(o.GetHeight(), 12);
}

TEST_F(ObrazTest, ClippingKeepsTheVisiblePart) {
    Obraz o;
    Fill(o, -10, 5, 20, 20, 0, 255, 0, 255);
    ASSERT_TRUE(o.IsOnScreen());
    Image* v = o.GetVisibleImage();
    EXPECT_EQ(v->x, 0);
    EXPECT_EQ(v->w, 10);
    EXPECT_EQ(v->srx, 10);
    EXPECT_EQ(v->y, 5);
    EXPECT_EQ(v->h, 20);

    // A clip rectangle cutting the right half.
    o.SetPos(20, 20);
    o.Clip(0, 0, 30, 150);
    EXPECT_EQ(o.GetVisibleImage()->w, 10);
    EXPECT_TRUE(o.WithinCut(29, 0));
    EXPECT_FALSE(o.WithinCut(30, 0));

    GraphAPI::FillScreen(0, 0, 0);
    o.Draw();
    Uint8 r, g, b;
    ScreenRGB(25, 25, &r, &g, &b);
    EXPECT_EQ(g, 255);
    ScreenRGB(35, 25, &r, &g, &b);
    EXPECT_EQ(g, 0) << "the part outside the clip rectangle is not drawn";

    // Further cut: only the first three columns stay.
    o.ClipTo(0, 0, 23, 150);
    EXPECT_EQ(o.GetVisibleImage()->w, 3);

    // Wholly outside: not on screen, nothing drawn.
    o.ResetClip();
    o.SetPos(500, 500);
    EXPECT_FALSE(o.IsOnScreen());
    GraphAPI::FillScreen(0, 0, 0);
    o.Draw();
    for (int x = 0; x < 200; x += 7) {
        ScreenRGB(x, 140, &r, &g, &b);
        ASSERT_EQ(g, 0);
    }
}

TEST_F(ObrazTest, DrawRespectsVisibilityAndViewOffset) {
    Obraz o;
    Fill(o, 30, 30, 4, 4, 255, 255, 255, 255);
    GraphAPI::FillScreen(0, 0, 0);
    o.Hide();
    o.Draw();
    Uint8 r, g, b;
    ScreenRGB(31, 31, &r, &g, &b);
    EXPECT_EQ(r, 0);
    o.Show();
    o.Draw();
    ScreenRGB(31, 31, &r, &g, &b);
    EXPECT_EQ(r, 255);
}

TEST_F(ObrazTest, AdditiveDrawModeAddsOntoTheScreenWithoutTouchingThePicture) {
    for (int ownCopy = 0; ownCopy < 2; ++ownCopy) {
        GraphAPI::FillScreen(100, 50, 0);
        Obraz o;
        Fill(o, 10, 10, 4, 4, 100, 100, 100, 255);
        o.SetDrawMode(1, ownCopy);
        o.Draw();
        Uint8 r, g, b, a;
        ScreenRGB(11, 11, &r, &g, &b);
        EXPECT_EQ(r, 200);
        EXPECT_EQ(g, 150);
        EXPECT_EQ(b, 100);
        ScreenRGB(15, 15, &r, &g, &b);
        EXPECT_EQ(r, 100) << "outside the picture the screen stays";
        SurfaceRGBA(o.GetImage()->surface, 1, 1, &r, &g, &b, &a);
        EXPECT_EQ(r, 100) << "the object's own picture is never written";
        // Drawing twice adds onto the new screen again (no stale copy).
        o.Draw();
        ScreenRGB(11, 11, &r, &g, &b);
        EXPECT_EQ(r, 255);
        EXPECT_EQ(g, 250);
    }
}

TEST_F(ObrazTest, HitTestsUseTheMaskAndItsMargin) {
    Obraz o;
    Fill(o, 50, 50, 4, 4, 0, 0, 0, 0);
    o.PutRGBA(0, 0, 255, 255, 255, 255);
    EXPECT_TRUE(o.IsIn(53, 53, 1, 0));
    EXPECT_FALSE(o.IsIn(53, 53, 1, 1)) << "transparent pixel";
    EXPECT_TRUE(o.IsIn(50, 50, 1, 1));
    EXPECT_FALSE(o.IsIn(49, 50, 1, 0));

    o.SetBitmask(1);
    ASSERT_TRUE(o.HasBitmask());
    // The margin grows the rectangle and the mask bits around the pixel.
    EXPECT_TRUE(o.IsIn(49, 49, 1, 0));
    EXPECT_TRUE(o.IsIn(49, 49, 1, 1));
    EXPECT_TRUE(o.IsIn(50, 50, 1, 1));
    EXPECT_FALSE(o.IsIn(51, 51, 1, 1));
    EXPECT_FALSE(o.IsIn(48, 49, 1, 0));
    EXPECT_TRUE(o.HitTest(49, 53));

    o.Hide();
    EXPECT_FALSE(o.IsIn(50, 50, 1, 0));
    EXPECT_TRUE(o.IsIn(50, 50, 0, 0));
}

TEST_F(ObrazTest, SharedPictureOutlivesItsOriginal) {
    Obraz* original = new Obraz;
    Fill(*original, 0, 0, 6, 6, 10, 20, 30, 255);
    original->SetBitmask(1);
    Obraz sharer;
    sharer.SetImageRef(original->GetImage());
    Obraz copy;
    copy.Copy(original);
    delete original;
    Uint8 r = 0, g = 0, b = 0, a = 0;
    sharer.GetRGBA(2, 2, &r, &g, &b, &a);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(b, 30);
    EXPECT_TRUE(copy.HasBitmask());
    EXPECT_TRUE(copy.IsIn(2, 2, 1, 1));
}

TEST_F(ObrazTest, CopyAndCloneTakeLayerClipAndVisibility) {
    Obraz a;
    Fill(a, 5, 5, 3, 3, 1, 1, 1, 255);
    a.SetLayer(7);
    a.Clip(0, 0, 6, 100);
    a.Hide();
    Obraz b;
    b.Copy(&a);
    EXPECT_EQ(b.GetLayer(), 7);
    EXPECT_FALSE(b.IsVisible());
    EXPECT_EQ(b.GetClipImage()->w, 6);
    EXPECT_EQ(b.GetImage()->surface, a.GetImage()->surface);
    Obraz c;
    c.Clone(&a);
    EXPECT_NE(c.GetImage()->surface, a.GetImage()->surface);
    EXPECT_TRUE(c.Equal(&a));
    EXPECT_FALSE(c.Equal(nullptr));
}

TEST_F(ObrazTest, SavingChoosesTheFormatByTheEnding) {
    Obraz o;
    Fill(o, 0, 0, 5, 3, 200, 100, 50, 255);
    const std::string png = TempPath("x.png");
    o.Save(png.c_str());
    EXPECT_FALSE(std::filesystem::exists(png));

    const std::string bmp = TempPath("x.bmp");
    o.Save(bmp.c_str());
    ASSERT_TRUE(std::filesystem::exists(bmp));
    Obraz fromBmp;
    fromBmp.Load(bmp.c_str(), 0);
    EXPECT_EQ(fromBmp.GetWidth(), 5);
    Uint8 r, g, b;
    fromBmp.GetRGB(1, 1, &r, &g, &b);
    EXPECT_EQ(r, 200);
    // A scaled picture saves as the size it reports, no rows more.
    Obraz scaled;
    Fill(scaled, 0, 0, 17, 11, 200, 100, 50, 255);
    scaled.Scale(1.5f, 1.0f);
    scaled.Save(bmp.c_str());
    fromBmp.Load(bmp.c_str(), 0);
    EXPECT_EQ(std::vector<int>({fromBmp.GetWidth(), fromBmp.GetHeight()}), std::vector<int>({26, 11}));
    fromBmp.GetRGB(25, 10, &r, &g, &b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({200, 100, 50}));
    std::filesystem::remove(bmp);

    for (const char* name : {"x.zel", "x.z16"}) {
        const std::string path = TempPath(name);
        o.Save(path.c_str());
        Obraz back;
        back.Load(path.c_str(), 1);
        EXPECT_EQ(back.GetWidth(), 5) << name;
        EXPECT_EQ(back.GetHeight(), 3) << name;
        Uint8 br = 0, bg = 0, bb = 0, ba = 0;
        back.GetRGBA(2, 1, &br, &bg, &bb, &ba);
        EXPECT_EQ(br, 200) << name;
        EXPECT_EQ(ba, 255) << name;
        std::filesystem::remove(path);
    }

    Obraz missing;
    missing.Load(TempPath("none.png").c_str(), 1);
    EXPECT_EQ(missing.GetImage()->surface, nullptr);
    missing.Draw();  // nothing to draw, nothing happens
}

TEST_F(ObrazTest, BufferedLoadCanBeRepeated) {
    Obraz o;
    Fill(o, 0, 0, 4, 2, 9, 8, 7, 255);
    const std::string bmp = TempPath("buf.bmp");
    o.Save(bmp.c_str());
    Obraz b;
    b.LoadBuffer(bmp.c_str());
    b.CreateFromBuffer();
    EXPECT_EQ(b.GetWidth(), 4);
    b.CreateFromBuffer();
    EXPECT_EQ(b.GetWidth(), 4);
    std::filesystem::remove(bmp);
}

TEST_F(ObrazTest, BlitBlendsIntoOwnPictureAndRotozoomKeepsTheCentre) {
    Obraz target;
    Fill(target, 0, 0, 10, 10, 0, 0, 0, 255);
    Obraz src;
    Fill(src, 2, 2, 3, 3, 255, 0, 0, 255);
    // The whole picture goes: the source's clip rectangle does not count.
    src.Clip(2, 2, 3, 3);
    target.Blit(&src);
    Uint8 r, g, b, a;
    target.GetRGBA(4, 4, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);
    target.GetRGBA(6, 6, &r, &g, &b, &a);
    EXPECT_EQ(r, 0);

    Obraz turned;
    turned.BuildRotozoom(&target, 90.0, 2.0, 2.0);
    EXPECT_NEAR(turned.GetWidth(), 20, 2);
    EXPECT_NEAR(turned.GetCenterX(), target.GetCenterX(), 1);
    EXPECT_NEAR(turned.GetCenterY(), target.GetCenterY(), 1);
}

TEST_F(ObrazTest, TransparencyAndPixelWritesAreChecked) {
    Obraz o;
    Fill(o, 0, 0, 2, 2, 0, 0, 0, 255);
    RecordingStage stage;
    o.SetTransparency(300);
    EXPECT_EQ(stage.redraws, 0);
    o.SetTransparency(128);
    EXPECT_GT(stage.redraws, 0);
    o.PutRGBA(1, 1, 999, -5, 128, 255);
    Uint8 r, g, b, a;
    o.GetRGBA(1, 1, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 128);
}

}  // namespace

namespace {

intptr_t g_seenData = 0;
Sygnal* g_seenSelf = nullptr;
int g_starts = 0, g_finishes = 0;
void OnStartCb(intptr_t data, Sygnal* self) {
    ++g_starts;
    g_seenData = data;
    g_seenSelf = self;
}
void OnFinishCb(intptr_t, Sygnal*) { ++g_finishes; }

TEST(Sygnal, CallbacksPauseLayerAndDrawOrder) {
    Sygnal s;
    s.OnStart();  // the default callbacks do nothing
    s.SetUserData(42);
    s.SetStartCallback(OnStartCb);
    s.SetFinishCallback(OnFinishCb);
    s.OnStart();
    s.OnFinish();
    EXPECT_EQ(g_starts, 1);
    EXPECT_EQ(g_finishes, 1);
    EXPECT_EQ(g_seenData, 42);
    EXPECT_EQ(g_seenSelf, &s);
    s.SetStartCallback(nullptr);
    s.OnStart();
    EXPECT_EQ(g_starts, 1);

    s.Pause();
    EXPECT_TRUE(s.IsPaused());
    s.Resume();
    EXPECT_FALSE(s.IsPaused());

    Image r;
    r.x = 3, r.y = 4, r.w = 5, r.h = 6;
    s.SetRectFromImage(&r);
    EXPECT_TRUE(s.HitTest(7, 9));
    EXPECT_FALSE(s.HitTest(8, 9));

    Sygnal later;
    later.SetLayer(2);
    s.SetLayer(2);
    EXPECT_TRUE(Sygnal::DrawOrderLess(&later, &s)) << "same layer: the older one first";
    EXPECT_FALSE(Sygnal::DrawOrderLess(&s, &later));
    later.SetLayer(1);
    EXPECT_TRUE(Sygnal::DrawOrderLess(&s, &later));
}

TEST_F(ObrazTest, AreaAndArrayName) {
    Obraz o;
    o.SetArea(10, 20, 40, 30);
    EXPECT_EQ(o.GetX(), 10);
    EXPECT_EQ(o.GetWidth(), 30);
    EXPECT_EQ(o.GetHeight(), 10);
    EXPECT_EQ(o.GetImage()->surface, nullptr);
    o.SetArrayName("tile", 7);
    EXPECT_STREQ(o.GetArrayName(), "tile7");
    EXPECT_EQ(o.GetArrayIndex(), 7);
    o.SetDelay(5);
    EXPECT_EQ(o.GetDelay(), 5);
}

}  // namespace

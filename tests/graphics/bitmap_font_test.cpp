#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "graphics/bitmap_font.h"
#include "graphics/screen_fixture.h"

namespace {

class BitmapTextTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("bitmap_text_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        sheetFile = (dir / "sheet.bmp").string();
        // Three cells, 'a' red, 'b' all transparent, 'c' green; 10 high.
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 21, 10, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        ASSERT_NE(s, nullptr);
        SDL_Rect a{0, 0, 7, 10}, b{7, 0, 7, 10}, c{14, 0, 7, 10};
        SDL_FillRect(s, &a, SDL_MapRGB(s->format, 255, 0, 0));
        SDL_FillRect(s, &b, BitmapTextWriter::kTransparentValue);
        SDL_FillRect(s, &c, SDL_MapRGB(s->format, 0, 255, 0));
        SDL_SaveBMP(s, sheetFile.c_str());
        SDL_FreeSurface(s);
        SDL_FillRect(video.Screen, nullptr, 0);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        ScreenTest::TearDown();
    }
    static int Red(int x, int y) {
        Uint8 r, g, b;
        ScreenRGB(x, y, &r, &g, &b);
        return r;
    }
    static int Green(int x, int y) {
        Uint8 r, g, b;
        ScreenRGB(x, y, &r, &g, &b);
        return g;
    }
    std::filesystem::path dir;
    std::string sheetFile;
};

TEST_F(BitmapTextTest, CellsSpacingLinesAndTransparency) {
    BitmapTextWriter w;
    EXPECT_FALSE(w.Load((dir / "missing.bmp").c_str()));
    ASSERT_TRUE(w.Load(sheetFile.c_str()));
    EXPECT_NE(w.CellFor('a'), nullptr);
    EXPECT_EQ(w.CellFor('d'), nullptr);  // neither its cell nor the fallback
    w.Draw("a c\tb\na", 10, 20);
    EXPECT_EQ(Red(10, 20), 255);
    EXPECT_EQ(Red(16, 29), 255);
    EXPECT_EQ(Red(17, 20), 0);      // the space
    EXPECT_EQ(Green(24, 20), 255);  // 'c' after 7 + 7
    Uint8 r, g, b;
    ScreenRGB(55, 20, &r, &g, &b);  // 'b' after the tab is wholly transparent
    EXPECT_EQ(r + g + b, 0);
    EXPECT_EQ(Red(10, 34), 255);  // next line, 14 lower
    w.Unload();
    EXPECT_FALSE(w.IsLoaded());
    w.Draw("a", 100, 100);
    EXPECT_EQ(Red(100, 100), 0);
}

TEST_F(BitmapTextTest, DrawingStaysInsideTheClip) {
    BitmapTextWriter w;
    ASSERT_TRUE(w.Load(sheetFile.c_str()));
    w.SetClip(0, 0, 13, 150);
    w.Draw("aa", 10, 0);
    EXPECT_EQ(Red(12, 0), 255);
    EXPECT_EQ(Red(13, 0), 0);
    EXPECT_EQ(Red(18, 0), 0);
    w.ResetClip();
    w.Draw("a", 195, 145);  // cut by the screen's edge, no harm done
    EXPECT_EQ(Red(199, 149), 255);
}

}  // namespace

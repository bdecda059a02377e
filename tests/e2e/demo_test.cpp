// Plays the demo game with the real program in a copy of its folder: in
// self-play it clicks the lamp and the floor, moves the mouse, waits for the
// walker to arrive and saves the scene as a screenshot, which is checked
// here pixel by pixel.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/run_process.h"

namespace fs = std::filesystem;

namespace {

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    for (int i = s->format->BytesPerPixel - 1; i >= 0; --i) v = (v << 8) | p[i];
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return {r, g, b};
}

// Pixels of the walker's green shirt inside the box.
int ShirtPixels(SDL_Surface* s, int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) {
            Rgb c = PixelAt(s, x, y);
            if (c.g > 120 && c.r < 90 && c.b < 120) ++count;
        }
    return count;
}

TEST(Demo, SelfPlayShowsThePicturesAndFollowsTheMouse) {
    TempFolder game;
    TempFolder runtime;
    std::error_code ec;
    fs::copy(fs::path(ENGINE_SOURCE_DIR) / "games" / "demo", game.Path(), fs::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    game.Write("saves/autoplay", "");

    ProcessResult r =
        RunProgram(ENGINE_BINARY, game.Path(),
                   {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + runtime.Path()});
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    // The clicks on the lamp and on the floor went through the room's own
    // hook, and the walker reached the path vertex nearest the floor click,
    // (500, 515), give or take the fractions of a pixel its steps leave.
    EXPECT_NE(r.out.find("clicks so far: 2"), std::string::npos) << r.out;
    int walkerX = 0, walkerY = 0;
    const size_t at = r.out.find("walker at ");
    ASSERT_NE(at, std::string::npos) << r.out;
    ASSERT_EQ(std::sscanf(r.out.c_str() + at, "walker at %d %d", &walkerX, &walkerY), 2) << r.out;
    EXPECT_NEAR(walkerX, 500, 3);
    EXPECT_NEAR(walkerY, 515, 3);

    const std::string shot = game.Path() + "/saves/demo_shot.bmp";
    SDL_Surface* s = SDL_LoadBMP(shot.c_str());
    ASSERT_NE(s, nullptr) << "no screenshot: " << r.out;
    ASSERT_EQ(s->w, 800);
    ASSERT_EQ(s->h, 600);

    Rgb wall = PixelAt(s, 10, 10);
    EXPECT_EQ(wall.r, 20);
    EXPECT_EQ(wall.g, 30);
    EXPECT_EQ(wall.b, 90);
    Rgb floor = PixelAt(s, 10, 500);
    EXPECT_EQ(floor.r, 110);
    EXPECT_EQ(floor.b, 30);

    // The lamp's yellow, drawn through its filter at opacity 210 over the wall.
    Rgb lamp = PixelAt(s, 400, 300);
    EXPECT_NEAR(lamp.r, (250 * 210 + 20 * 45) / 255, 3);
    EXPECT_NEAR(lamp.b, (40 * 210 + 90 * 45) / 255, 3);
    // The click zoomed the lamp by 1.5: its rim reaches 40 pixels from the
    // centre, where the wall would show at its own size.
    Rgb rim = PixelAt(s, 440, 300);
    EXPECT_GT(rim.r, 150);
    EXPECT_LT(rim.b, 110);

    // The marker ring follows the mouse, moved to (600, 150).
    Rgb ring = PixelAt(s, 593, 143);
    EXPECT_EQ(ring.r, 230);
    EXPECT_EQ(ring.g, 20);
    Rgb hollow = PixelAt(s, 600, 150);
    EXPECT_EQ(hollow.b, 90) << "the ring's middle shows the wall";

    // The walker stands where it arrived, drawn above its feet, and has left
    // its starting place at (180, 575).
    EXPECT_GT(ShirtPixels(s, 485, 455, 515, 510), 50);
    EXPECT_EQ(ShirtPixels(s, 160, 505, 200, 580), 0);
    // The crate it walked round, and the button in its normal picture.
    Rgb crate = PixelAt(s, 360, 478);
    EXPECT_EQ(crate.r, 170);
    EXPECT_EQ(crate.g, 120);
    Rgb button = PixelAt(s, 656, 40);
    EXPECT_EQ(button.r, 60);
    EXPECT_EQ(button.b, 140);
    SDL_FreeSurface(s);
}

}  // namespace

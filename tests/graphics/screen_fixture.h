// A small real screen (dummy video driver) for tests that draw, in a video
// state of the test's own.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "graphics/graph_api.h"

// Sets the dummy video mode to w x h, 32 bits, and enters it in the video
// state, which must be the current one, as Init would; the screen, or null.
inline SDL_Surface* OpenDummyScreen(GraphAPI::VideoState& video, int w, int h) {
    SDL_Surface* screen = SDL_SetVideoMode(w, h, 32, 0);
    EXPECT_EQ(&video, &GraphAPI::CurrentVideo());
    if (screen) GraphAPI::EnterScreen(screen, w, h, 32);
    return screen;
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
        ASSERT_NE(OpenDummyScreen(video, 200, 150), nullptr);
    }
    void TearDown() override {
        video.ScreenImage.ViewSurface(nullptr);
        video.Screen = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    static void ScreenRGB(int x, int y, Uint8* r, Uint8* g, Uint8* b) {
        SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
        SDL_GetRGB(GraphAPI::GetPixel(screen, x, y), screen->format, r, g, b);
    }

    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
};

// RGBA of a picture's surface pixel.
inline void SurfaceRGBA(SDL_Surface* s, int x, int y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    SDL_GetRGBA(GraphAPI::GetPixel(s, x, y), s->format, r, g, b, a);
}

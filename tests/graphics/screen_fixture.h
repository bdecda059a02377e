// A small real screen (dummy video driver) for tests that draw.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "graphics/graph_api.h"

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
        GraphAPI::Screen = SDL_SetVideoMode(200, 150, 32, 0);
        ASSERT_NE(GraphAPI::Screen, nullptr);
        GraphAPI::ScreenWidth = 200;
        GraphAPI::ScreenHeight = 150;
        GraphAPI::BitsPerPixel = 32;
        GraphAPI::ScreenImage.ViewSurface(GraphAPI::Screen);
        GraphAPI::ScreenImage.w = 200;
        GraphAPI::ScreenImage.h = 150;
        GraphAPI::SetAppSize(200, 150);
        ScreenScaleX = ScreenScaleY = 1.0f;
    }
    void TearDown() override {
        GraphAPI::ScreenImage.ViewSurface(nullptr);
        GraphAPI::Screen = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    static void ScreenRGB(int x, int y, Uint8* r, Uint8* g, Uint8* b) {
        SDL_GetRGB(GraphAPI::GetPixel(GraphAPI::Screen, x, y), GraphAPI::Screen->format, r, g, b);
    }
};

// RGBA of a picture's surface pixel.
inline void SurfaceRGBA(SDL_Surface* s, int x, int y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    SDL_GetRGBA(GraphAPI::GetPixel(s, x, y), s->format, r, g, b, a);
}

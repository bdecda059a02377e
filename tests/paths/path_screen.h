// The dummy screen the path tests build and walk on: opened once per test
// program (200 x 150, 32 bits), and a video state of each test's own over
// it, unscaled.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "graphics/graph_api.h"

class PathScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (SDL_GetVideoSurface()) return;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(200, 150, 32, 0), nullptr) << SDL_GetError();
    }

    PathScreenTest() {
        video.BitsPerPixel = 32;
        video.Screen = SDL_GetVideoSurface();
        video.ScreenImage.ViewSurface(video.Screen);
        video.ScreenImage.w = video.ScreenImage.srw = 200;
        video.ScreenImage.h = video.ScreenImage.srh = 150;
    }

    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
};

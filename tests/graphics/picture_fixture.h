// Shared set-up for the picture tests: a 32-bit video mode under the dummy
// driver, a video state of each test's own over it, and small helpers to
// build and read pictures pixel by pixel.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "graphics/graph_api.h"

struct Px {
    int r, g, b, a;
    bool operator==(const Px&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Px& p) {
    return os << "(" << p.r << "," << p.g << "," << p.b << "," << p.a << ")";
}

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (SDL_GetVideoSurface()) return;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(64, 48, 32, 0), nullptr) << SDL_GetError();
    }

    PictureTest() {
        video.BitsPerPixel = 32;
        video.Screen = SDL_GetVideoSurface();
        video.ScreenImage.ViewSurface(video.Screen);
        video.ScreenImage.w = video.ScreenImage.srw = video.Screen ? video.Screen->w : 0;
        video.ScreenImage.h = video.ScreenImage.srh = video.Screen ? video.Screen->h : 0;
    }

    // A FIRST record over a new 32-bit surface (ARGB, or XRGB without alpha)
    // filled with one colour.
    static void Make(Image& image, int w, int h, Px fill = {0, 0, 0, 0}, bool alpha = true) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                              alpha ? 0xFF000000 : 0);
        ASSERT_NE(s, nullptr);
        image.AdoptSurface(s);
        GraphAPI::ResetFromSurface(s, &image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Set(image, x, y, fill);
    }

    static void Set(Image& image, int x, int y, Px p) {
        GraphAPI::PutPixel(image.surface, x, y,
                           SDL_MapRGBA(image.surface->format, static_cast<Uint8>(p.r),
                                       static_cast<Uint8>(p.g), static_cast<Uint8>(p.b),
                                       static_cast<Uint8>(p.a)));
    }

    static Px Get(const Image& image, int x, int y) {
        Uint8 r, g, b, a;
        SDL_GetRGBA(GraphAPI::GetPixel(image.surface, x, y), image.surface->format, &r, &g, &b, &a);
        return {r, g, b, a};
    }

    // Every raw pixel, row by row, for comparing whole pictures.
    static std::basic_string<uint32_t> Pixels(const Image& image) {
        std::basic_string<uint32_t> out;
        for (int y = 0; y < image.surface->h; ++y)
            for (int x = 0; x < image.surface->w; ++x) out.push_back(GraphAPI::GetPixel(image.surface, x, y));
        return out;
    }

    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
};

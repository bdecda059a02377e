// Animations built in code over small one-colour pictures, on the dummy
// screen of ScreenTest.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/animation.h"
#include "graphics/graph_api.h"
#include "screen_fixture.h"

class AnimationTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        static int serial = 0;
        dir = std::filesystem::temp_directory_path() /
              ("anim_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        ScreenTest::TearDown();
    }

    std::string File(const std::string& name) const { return (dir / name).string(); }

    // A new w x h ARGB picture of one colour, owned by the caller.
    static Image* MakePicture(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255) {
        auto* image = new Image;
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0x00FF0000, 0x0000FF00,
                                              0x000000FF, 0xFF000000);
        image->AdoptSurface(s);
        GraphAPI::ResetFromSurface(s, image);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, a));
        return image;
    }

    // Adds a one-colour bank picture and returns its index.
    static int AddPicture(Animacja& anim, int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255) {
        return anim.AddBankImage(MakePicture(w, h, r, g, b, a));
    }

    // An action of `frames` frames, frame i showing bank picture i % bank
    // count at hot spot (i, 2 * i).
    static AkcjaAnimacji* AddAction(Animacja& anim, const char* name, int frames) {
        AkcjaAnimacji* action = anim.AddNamedAction(name);
        for (int i = 0; i < frames; ++i) {
            const int b = anim.GetBankCount() ? i % anim.GetBankCount() : -1;
            const std::string frameName = std::string(name) + "f" + std::to_string(i);
            action->AddFrameFromFile(anim.GetBankImage(b), b, frameName.c_str(), i, 2 * i);
        }
        return action;
    }

    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void FillScreen(Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, r, g, b));
    }

    std::filesystem::path dir;
};

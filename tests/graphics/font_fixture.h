// A dummy screen with the font library started and a DejaVu font of the
// test's own as the default font, plus a keyboard that tests drive through
// the input state.
#pragma once

#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include "graphics/font.h"
#include "graphics/screen_fixture.h"
#include "platform/headless.h"
#include "platform/input_source.h"
#include "platform/input_state.h"

inline const char* kTestFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontTest : public ScreenTest {
protected:
    // Installed before the test's own members are made: texts made with
    // them take it.
    FontTest() { SetDefaultFont(&defaultFont); }

    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(OpenFontLibrary());
        SetInput(&keyboard);
        defaultFont.Open(kTestFontFile, 12);
        defaultFont.SetColor(255, 255, 255);
        ASSERT_NE(defaultFont.GetHandle(), nullptr);
    }
    void TearDown() override {
        SetInput(nullptr);
        CloseFontLibrary();
        ScreenTest::TearDown();
    }

    // The last event becomes this key going down, with its character.
    void PressKey(SDLKey sym, Uint16 unicode, bool shift = false) {
        LastEvent = SDL_Event{};
        LastEvent.type = SDL_KEYDOWN;
        LastEvent.key.type = SDL_KEYDOWN;
        LastEvent.key.state = SDL_PRESSED;
        LastEvent.key.keysym.sym = sym;
        LastEvent.key.keysym.unicode = unicode;
        LastEvent.key.keysym.mod = shift ? KMOD_LSHIFT : KMOD_NONE;
        KeyHeld = 1;
        keyboard.keys[SDLK_LSHIFT] = shift ? 1 : 0;
    }

    static void ClearScreenBlack() { SDL_FillRect(GraphAPI::CurrentVideo().Screen, nullptr, 0); }

    // Whether any screen pixel inside the rectangle is not black.
    static bool AnyLit(int x, int y, int w, int h) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) {
                Uint8 r, g, b;
                ScreenRGB(i, j, &r, &g, &b);
                if (r || g || b) return true;
            }
        return false;
    }

    FakeInput keyboard;
    ddFont defaultFont;
};

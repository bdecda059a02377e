// A small screen under the dummy video driver, a scene with the real mouse
// cursor, and hand-driven input, events and clock for the game loop.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "graphics/graph_api.h"
#include "platform/headless.h"
#include "platform/input_source.h"
#include "platform/input_state.h"
#include "scene/frame_flags.h"
#include "scene/scene.h"
#include "shell/button.h"
#include "shell/frame_pacing.h"
#include "shell/mouse.h"

namespace loop_test {

using ::FakeEvents;
using ::FakeInput;

// A mouse button event at (x, y) on the screen.
inline SDL_Event Button(uint8_t type, int button, int x = 0, int y = 0) {
    SDL_Event e{};
    e.type = type;
    e.button.type = type;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    return e;
}

// A key event with the modifiers SDL recorded in it.
inline SDL_Event Key(uint8_t type, SDLKey sym, int mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    return e;
}

inline SDL_Event Active(int state, int gain) {
    SDL_Event e{};
    e.type = SDL_ACTIVEEVENT;
    e.active.type = SDL_ACTIVEEVENT;
    e.active.state = static_cast<Uint8>(state);
    e.active.gain = static_cast<Uint8>(gain);
    return e;
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class LoopTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 160, kHeight = 120;

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        GraphAPI::Screen = SDL_SetVideoMode(kWidth, kHeight, 32, 0);
        ASSERT_NE(GraphAPI::Screen, nullptr);
        GraphAPI::ScreenWidth = kWidth;
        GraphAPI::ScreenHeight = kHeight;
        GraphAPI::BitsPerPixel = 32;
        GraphAPI::ScreenImage.ViewSurface(GraphAPI::Screen);
        GraphAPI::ScreenImage.w = kWidth;
        GraphAPI::ScreenImage.h = kHeight;
        GraphAPI::SetAppSize(kWidth, kHeight);
        ScreenScaleX = ScreenScaleY = 1.0f;
        SetInput(&input);
        SetEvents(&events);
        SetClock(&clock);
        InstallMouseCursor();
        RedrawRequested = 1;
        ResortRequested = 1;
        UpdateRequested = 1;
        BlitAfterRedraw = 1;
        LoopDelay = 33;
        MouseMoved = 0;
        MouseX = MouseY = 0;
        LeftButton = RightButton = 0;
        KeyHeld = 0;
        LastEvent = SDL_Event{};
        scene = new ddScene();
        staged.emplace(*scene);
        ASSERT_NE(ddMouse::Instance, nullptr);
    }

    void TearDown() override {
        staged.reset();
        delete scene;
        SetInput(nullptr);
        SetEvents(nullptr);
        SetClock(nullptr);
        GraphAPI::AppOffsetX = GraphAPI::AppOffsetY = 0;
        GraphAPI::ScreenImage.ViewSurface(nullptr);
        GraphAPI::Screen = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    static Rgb ScreenAt(int x, int y) {
        Uint8 r, g, b;
        SDL_GetRGB(GraphAPI::GetPixel(GraphAPI::Screen, x, y), GraphAPI::Screen->format, &r, &g, &b);
        return {r, g, b};
    }

    FakeInput input;
    FakeEvents events;
    SteppedClock clock{1000};  // stands still unless a test moves it
    ddScene* scene = nullptr;
    std::optional<ScopedScene> staged;
};

}  // namespace loop_test

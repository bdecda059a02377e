// A small screen under the dummy video driver, a scene with the real mouse
// cursor, hand-driven input, events and clock for the game loop, and video
// and audio states of the test's own.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "audio/audio_state.h"
#include "graphics/graph_api.h"
#include "graphics/screen_fixture.h"
#include "platform/headless.h"
#include "platform/input_source.h"
#include "platform/input_state.h"
#include "scene/scene.h"
#include "shell/button.h"
#include "shell/frame_pacing.h"
#include "shell/mouse.h"

namespace loop_test {

using ::FakeEvents;
using ::FakeInput;

// Event builders: each kind's own type field is the union's `type` too.

// A mouse button event at (x, y) on the screen.
inline SDL_Event Button(uint8_t type, int button, int x = 0, int y = 0) {
    SDL_Event e{};
    e.button.type = type;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    return e;
}

// A key event with the modifiers SDL recorded in it.
inline SDL_Event Key(uint8_t type, SDLKey sym, int mod = KMOD_NONE) {
    SDL_Event e{};
    e.key.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    return e;
}

inline SDL_Event Active(int state, int gain) {
    SDL_Event e{};
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
        ASSERT_NE(OpenDummyScreen(video, kWidth, kHeight), nullptr);
        SetInput(&input);
        SetEvents(&events);
        SetClock(&clock);
        InstallMouseCursor();
        scene = new ddScene();
        staged.emplace(*scene);
        ASSERT_NE(ddMouse::Instance(), nullptr);
    }

    void TearDown() override {
        staged.reset();
        delete scene;
        SetInput(nullptr);
        SetEvents(nullptr);
        SetClock(nullptr);
        video.ScreenImage.ViewSurface(nullptr);
        video.Screen = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    static Rgb ScreenAt(int x, int y) {
        Uint8 r, g, b;
        SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
        SDL_GetRGB(GraphAPI::GetPixel(screen, x, y), screen->format, &r, &g, &b);
        return {r, g, b};
    }

    // The scene's frame flags and frame delay.
    FrameFlags& Flags() { return scene->Flags(); }

    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
    AudioState audio;
    ScopedAudio playing{audio};
    InputState inputState;  // fresh for each test
    ScopedInputState inputInstalled{inputState};
    FakeInput input;
    FakeEvents events;
    SteppedClock clock{1000};  // stands still unless a test moves it
    ddScene* scene = nullptr;
    std::optional<ScopedScene> staged;
};

}  // namespace loop_test

// A small screen under the dummy video driver, a scene with the real mouse
// cursor, and hand-driven input, events and clock for the game loop.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "foundation/clock.h"
#include "graphics/graph_api.h"
#include "shell/button.h"
#include "shell/event_source.h"
#include "shell/input_state.h"
#include "shell/mouse.h"
#include "shell/scene.h"

namespace loop_test {

class FakeInput : public InputSource {
public:
    FakeInput() : keys(SDLK_LAST, 0) {}
    void PumpEvents() override {}
    const uint8_t* GetKeyState() override { return keys.data(); }
    uint8_t GetMouseState(int* x, int* y) override {
        ++mouseReads;
        if (x) *x = mouseX;
        if (y) *y = mouseY;
        return 0;
    }
    void ShowCursor(int on) override { shown = on; }
    void WarpMouse(int x, int y) override {
        warpX = x;
        warpY = y;
    }
    void EnableKeyRepeat(int, int) override {}
    void EnableUnicode(int) override {}

    std::vector<uint8_t> keys;
    int mouseX = 0, mouseY = 0, mouseReads = 0, shown = -1, warpX = -1, warpY = -1;
};

// Events handed out frame by frame: frame k's events are polled in the k-th
// pump of the loop; `before` runs as that frame starts. Once the script is
// used up, every frame gets a quit event.
class FakeEvents : public EventSource {
public:
    struct Frame {
        std::vector<SDL_Event> events;
        std::function<void()> before;
    };

    int PollEvent(SDL_Event* event) override {
        if (!inFrame) {
            inFrame = true;
            ++framesStarted;
            if (next < frames.size() && frames[next].before) frames[next].before();
        }
        const std::vector<SDL_Event>* list = next < frames.size() ? &frames[next].events : &quitOnly;
        if (pos < list->size()) {
            *event = (*list)[pos++];
            ++taken;
            return 1;
        }
        inFrame = false;
        pos = 0;
        ++next;
        return 0;
    }
    int WaitEvent(SDL_Event* event) override {
        if (waiting.empty()) return 0;
        *event = waiting.front();
        waiting.pop_front();
        return 1;
    }

    std::vector<Frame> frames;
    std::deque<SDL_Event> waiting;
    int framesStarted = 0;
    int taken = 0;

private:
    std::vector<SDL_Event> quitOnly{Quit()};
    size_t next = 0, pos = 0;
    bool inFrame = false;

public:
    static SDL_Event Quit() {
        SDL_Event e{};
        e.type = SDL_QUIT;
        return e;
    }
};

// A clock that stands still unless told to move; delays move it.
class FakeClock : public Clock {
public:
    uint32_t Ticks() override { return now; }
    void Delay(uint32_t ms) override {
        delays.push_back(static_cast<int>(ms));
        now += ms;
    }
    uint32_t now = 1000;
    std::vector<int> delays;
};

inline SDL_Event Button(uint8_t type, int button) {
    SDL_Event e{};
    e.type = type;
    e.button.type = type;
    e.button.button = static_cast<Uint8>(button);
    return e;
}

inline SDL_Event Key(uint8_t type, SDLKey sym) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.keysym.sym = sym;
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
    FakeClock clock;
    ddScene* scene = nullptr;
    std::optional<ScopedScene> staged;
};

}  // namespace loop_test

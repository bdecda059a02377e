// Hand-driven stand-ins for the platform seams, for programs without a
// window or a person at the keys (the tests): an input source whose keys,
// mouse and buttons are plain fields, an event queue scripted frame by
// frame, and a clock that moves only when told to or when delayed.
// Built as its own library, platform_headless; the program never links it.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "foundation/clock.h"
#include "platform/event_source.h"
#include "platform/input_source.h"

// Keys, mouse and buttons set by hand; records what was asked of the
// cursor and the keyboard. Every key starts up, the mouse at 0,0.
class FakeInput : public InputSource {
public:
    FakeInput();
    void PumpEvents() override;
    const uint8_t* GetKeyState() override;
    // Counts the reads; null pointers are skipped.
    uint8_t GetMouseState(int* x, int* y) override;
    void ShowCursor(int on) override;
    void WarpMouse(int x, int y) override;
    void EnableKeyRepeat(int delay, int interval) override;
    // What was set last; never set (-1) is no repeat.
    void GetKeyRepeat(int* delay, int* interval) override;
    void EnableUnicode(int on) override;

    std::vector<uint8_t> keys;  // SDLK_LAST entries
    int mouseX = 0, mouseY = 0;
    uint8_t buttons = 0;
    int pumps = 0, mouseReads = 0;
    int shown = -1, warpX = -1, warpY = -1;  // -1: never asked
    int repeatDelay = -1, repeatInterval = -1, unicode = -1;
};

// Events handed out frame by frame: frame k's events are polled in the k-th
// run of polls (a run ends with the poll that finds nothing); `before` runs
// as that frame starts. Once the frames are used up, every frame gets a
// quit event. Waiting takes from `waiting`, and fails when it is empty.
class FakeEvents : public EventSource {
public:
    struct Frame {
        std::vector<SDL_Event> events;
        std::function<void()> before;
    };

    int PollEvent(SDL_Event* event) override;
    int WaitEvent(SDL_Event* event) override;

    static SDL_Event Quit();

    std::vector<Frame> frames;
    std::deque<SDL_Event> waiting;
    int framesStarted = 0;
    int taken = 0;

private:
    std::vector<SDL_Event> quitOnly{Quit()};
    size_t next = 0, pos = 0;
    bool inFrame = false;
};

// A clock that stands still unless `now` is moved; a delay moves it by the
// delay and is recorded.
class SteppedClock : public Clock {
public:
    explicit SteppedClock(uint32_t start = 0) : now(start) {}
    uint32_t Ticks() override;
    void Delay(uint32_t ms) override;

    uint32_t now;
    std::vector<int> delays;
};

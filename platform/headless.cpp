#include "platform/headless.h"

FakeInput::FakeInput() : keys(SDLK_LAST, 0) {}

void FakeInput::PumpEvents() { ++pumps; }

const uint8_t* FakeInput::GetKeyState() { return keys.data(); }

uint8_t FakeInput::GetMouseState(int* x, int* y) {
    ++mouseReads;
    if (x) *x = mouseX;
    if (y) *y = mouseY;
    return buttons;
}

void FakeInput::ShowCursor(int on) { shown = on; }

void FakeInput::WarpMouse(int x, int y) {
    warpX = x;
    warpY = y;
}

void FakeInput::EnableKeyRepeat(int delay, int interval) {
    repeatDelay = delay;
    repeatInterval = interval;
}

void FakeInput::GetKeyRepeat(int* delay, int* interval) {
    *delay = repeatDelay;
    *interval = repeatInterval;
}

void FakeInput::EnableUnicode(int on) { unicode = on; }

int FakeEvents::PollEvent(SDL_Event* event) {
    if (!inFrame) {
        inFrame = true;
        ++framesStarted;
        if (next < frames.size() && frames[next].before) frames[next].before();
    }
    const std::vector<SDL_Event>& list = next < frames.size() ? frames[next].events : quitOnly;
    if (pos < list.size()) {
        *event = list[pos++];
        ++taken;
        return 1;
    }
    inFrame = false;
    pos = 0;
    ++next;
    return 0;
}

int FakeEvents::WaitEvent(SDL_Event* event) {
    if (waiting.empty()) return 0;
    *event = waiting.front();
    waiting.pop_front();
    return 1;
}

SDL_Event FakeEvents::Quit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

uint32_t SteppedClock::Ticks() { return now; }

void SteppedClock::Delay(uint32_t ms) {
    delays.push_back(static_cast<int>(ms));
    now += ms;
}

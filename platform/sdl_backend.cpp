// Every call the platform seams make into SDL.
#include "platform/sdl_backend.h"

#include <SDL/SDL.h>

#include "foundation/clock.h"

namespace {

class SdlClock final : public Clock {
public:
    uint32_t Ticks() override { return SDL_GetTicks(); }
    void Delay(uint32_t ms) override { SDL_Delay(ms); }
};

class SdlInputSource final : public InputSource {
public:
    void PumpEvents() override { SDL_PumpEvents(); }
    const uint8_t* GetKeyState() override { return SDL_GetKeyState(nullptr); }
    uint8_t GetMouseState(int* x, int* y) override { return SDL_GetMouseState(x, y); }
    void ShowCursor(int on) override { SDL_ShowCursor(on); }
    void WarpMouse(int x, int y) override {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    }
    void EnableKeyRepeat(int delay, int interval) override { SDL_EnableKeyRepeat(delay, interval); }
    void EnableUnicode(int on) override { SDL_EnableUNICODE(on); }
};

class SdlEventQueue final : public EventSource {
public:
    int PollEvent(SDL_Event* event) override { return SDL_PollEvent(event); }
    int WaitEvent(SDL_Event* event) override { return SDL_WaitEvent(event); }
};

SdlClock g_clock;
SdlInputSource g_input;
SdlEventQueue g_events;

}  // namespace

InputSource& SdlInput() { return g_input; }
EventSource& SdlEvents() { return g_events; }

void UseSdlBackend() {
    SetClock(&g_clock);
    SetInput(&g_input);
    SetEvents(&g_events);
}

// Every call the platform seams make into SDL.
#include "platform/sdl_backend.h"

#include <SDL/SDL.h>

#include "foundation/clock.h"
#include "platform/media.h"
#include "platform/video_modes.h"

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
    void WarpMouse(int x, int y) override { SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y)); }
    // SDL's own repeat stays off. With Unicode on, SDL's compatibility layer
    // keeps a key-down back until it knows the key's character; a key with
    // none (F1-F12, arrows) is let out by the next event, and when that is
    // its own key-up, as in a quick tap, the key-up first finds no repeat to
    // end and the key-down then starts one: the key repeats after it went up,
    // until another key goes down.
    void EnableKeyRepeat(int delay, int interval) override {
        repeatDelay = delay;
        repeatInterval = interval;
    }
    void GetKeyRepeat(int* delay, int* interval) override {
        *delay = repeatDelay;
        *interval = repeatInterval;
    }
    void EnableUnicode(int on) override { SDL_EnableUNICODE(on); }

private:
    int repeatDelay = 0, repeatInterval = 0;
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

bool StartMedia() { return SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) >= 0; }

const char* MediaError() { return SDL_GetError(); }

void SetWindowCaption(const char* caption) { SDL_WM_SetCaption(caption, nullptr); }

void SetWindowIcon(SDL_Surface* icon) { SDL_WM_SetIcon(icon, nullptr); }

ListedModes ListFullscreenModes() {
    ListedModes list;
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN);
    if (!modes) {
        list.none = true;
    } else if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        list.any = true;
    } else {
        for (int i = 0; modes[i]; ++i) list.modes.push_back(ModeSize{modes[i]->w, modes[i]->h});
    }
    return list;
}

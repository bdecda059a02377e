#include "graphics/sdl_clock.h"

#include <SDL/SDL.h>

uint32_t SdlClock::Ticks() { return SDL_GetTicks(); }

void SdlClock::Delay(uint32_t ms) { SDL_Delay(ms); }

void UseSdlClock() {
    static SdlClock clock;
    SetClock(&clock);
}

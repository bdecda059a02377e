// Preloaded into the engine (LD_PRELOAD) by compare_lua.sh to time how long
// a game takes to show its first frame: the first screen update ends the
// process at once. Nothing of the engine is changed for it.
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

namespace {
[[noreturn]] void FirstFrameShown() {
    std::fflush(stdout);
    _exit(0);
}
}  // namespace

extern "C" {
int SDL_Flip(SDL_Surface*) { FirstFrameShown(); }
void SDL_UpdateRect(SDL_Surface*, Sint32, Sint32, Uint32, Uint32) { FirstFrameShown(); }
void SDL_UpdateRects(SDL_Surface*, int, SDL_Rect*) { FirstFrameShown(); }
}
